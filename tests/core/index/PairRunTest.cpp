// The compact sorted runs the index builder spills: what goes in comes back, runs back to
// back stay apart, and a run cut short never yields a pair that was not written.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "core/index/PairRun.h"
#include "core/persist/PersistError.h"
#include "support/TempDir.h"

namespace kolvex::index {
namespace {

TrigramPair pair(std::uint64_t trigram, std::uint32_t record) { return trigram << 32 | record; }

std::vector<TrigramPair> readRun(SpillFile& file, std::uint64_t from, std::uint64_t to,
                                 std::uint32_t base,
                                 std::size_t piece = PairRunReader::kPieceBytes) {
  std::vector<TrigramPair> got;
  for (PairRunReader r(file, from, to, base, piece); !r.done(); r.pop()) got.push_back(r.head());
  return got;
}

void writeRun(const std::vector<TrigramPair>& pairs, std::uint32_t base, SpillFile& file) {
  std::string bytes;
  encodePairRun(pairs, base, bytes);
  file.write(bytes.data(), bytes.size());
}

TEST(PairRun, ComesBackAsWrittenWithoutRepeats) {
  test::TempDir tmp;
  SpillFile file(posixFileOps(), tmp.path());
  // The extremes of both fields, gaps of every varint length, repeats, and a run long
  // enough to be read back in several pieces with values across the pieces' edges.
  const std::uint32_t base = 7;
  std::vector<TrigramPair> edges = {pair(0, 7), pair(0, 7), pair(0, 8), pair(0, 0xFFFFFFFF),
                                    pair(1, 200), pair(0x7F, 7 + 127), pair(0x80, 7 + 128),
                                    pair(0xFFFFFF, 7), pair(0xFFFFFF, 0xFFFFFFFE),
                                    pair(0xFFFFFF, 0xFFFFFFFF)};
  std::mt19937_64 random(16);
  std::vector<TrigramPair> many;
  for (int i = 0; i < 40000; ++i)
    many.push_back(pair(random() % 5000, static_cast<std::uint32_t>(1000 + random() % (1u << (random() % 30)))));
  std::sort(many.begin(), many.end());

  writeRun(edges, base, file);
  const std::uint64_t firstEnd = file.size();
  writeRun(many, 1000, file);
  const std::uint64_t secondEnd = file.size();

  auto unique = [](std::vector<TrigramPair> pairs) {
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    return pairs;
  };
  EXPECT_EQ(readRun(file, 0, firstEnd, base), unique(edges));
  EXPECT_EQ(readRun(file, firstEnd, secondEnd, 1000), unique(many));
  // Read through smaller pieces, as when many runs share the merge's buffers.
  for (std::size_t piece : {1, 3, 4096})
    EXPECT_EQ(readRun(file, firstEnd, secondEnd, 1000, piece), unique(many)) << piece;
}

TEST(PairRun, CutShortGivesWholeTrigramsOrAnError) {
  test::TempDir tmp;
  SpillFile file(posixFileOps(), tmp.path());
  const std::vector<TrigramPair> pairs = {pair(3, 10), pair(3, 11), pair(3, 900000),
                                          pair(70000, 10), pair(70001, 5000000),
                                          pair(70001, 5000300)};
  writeRun(pairs, 10, file);
  const std::uint64_t size = file.size();
  for (std::uint64_t cut = 0; cut < size; ++cut) {
    try {
      const std::vector<TrigramPair> got = readRun(file, 0, cut, 10);
      // Only a cut between two trigrams reads through, and then it gives the first ones.
      ASSERT_TRUE(got.size() == 0 || got.size() == 3 || got.size() == 4) << cut;
      EXPECT_TRUE(std::equal(got.begin(), got.end(), pairs.begin())) << cut;
    } catch (const EStreamError&) {
    }
  }
}

}  // namespace
}  // namespace kolvex::index
