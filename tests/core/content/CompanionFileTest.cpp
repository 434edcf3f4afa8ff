// The fingerprint file: its round trip, every check of its reader, and hashes that agree
// with xxhsum.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <memory>

#include "core/content/CompanionFile.h"
#include "core/content/ContentHasher.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

CompanionContent sample() {
  CompanionContent c;
  c.identity = {5000, {11, 22}};
  c.entries = {{0, 10, {1, 2}}, {120, 0, {3, 4}}, {4000, 7, {5, 6}}};
  return c;
}

TEST(CompanionFile, RoundTripsAndFindsByRecord) {
  CompanionContent back = parseCompanion(serializeCompanion(sample()));
  EXPECT_EQ(back.identity, sample().identity);
  ASSERT_EQ(back.entries.size(), 3u);
  EXPECT_EQ(back.entries[2].fingerprint, (Fingerprint{5, 6}));
  ASSERT_NE(back.find(120), nullptr);
  EXPECT_EQ(back.find(120)->size, 0);
  EXPECT_EQ(back.find(121), nullptr);
  EXPECT_EQ(parseCompanion(serializeCompanion({})).entries.size(), 0u);
}

TEST(CompanionFile, RefusesEveryDamage) {
  const std::string good = serializeCompanion(sample());
  auto refused = [](std::string bytes) {
    EXPECT_THROW(parseCompanion(bytes), ECompanionError);
  };
  refused("");
  refused(good.substr(0, good.size() - 1));  // cut short
  refused(good + "x");                        // longer than its count
  for (std::size_t at : {0ul, 9ul, 20ul, 45ul, good.size() - 3}) {  // any flipped byte
    std::string bad = good;
    bad[at] ^= 0x40;
    refused(bad);
  }
  // A count that claims more entries than the file holds is refused before allocating.
  std::string huge = good;
  huge[32 + 7] = 0x7F;
  refused(huge);
  // Well-formed but wrong in content: positions out of order, or beyond the catalog.
  CompanionContent c = sample();
  std::swap(c.entries[0], c.entries[1]);
  refused(serializeCompanion(c));
  c = sample();
  c.entries[2].record = 5000;
  refused(serializeCompanion(c));
  c = sample();
  c.entries[1].size = -1;
  refused(serializeCompanion(c));
}

TEST(CompanionFile, NamedAfterItsCatalog) {
  EXPECT_EQ(companionPathOf("/a/123_Data.qel"), "/a/123_Data.qfp");
  EXPECT_EQ(companionPathOf("/a/OLD.QEL"), "/a/OLD.qfp");
  EXPECT_EQ(companionPathOf("/a/odd"), "/a/odd.qfp");
}

std::string xxhsum(const std::string& path) {
  std::string command = "xxhsum -H128 '" + path + "' 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  char line[256] = {};
  if (!pipe || !std::fgets(line, sizeof line, pipe.get())) return {};
  return std::string(line).substr(0, 32);
}

TEST(ContentHasher, AgreesWithXxhsumAndReportsEveryBlock) {
  test::TempDir dir;
  ContentHasher hasher;
  // Empty, small, and across several blocks with a ragged end.
  for (std::size_t size : {std::size_t{0}, std::size_t{5}, 3 * ContentHasher::kBlock + 17}) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7919) >> 3);
    const std::string path = dir.file("f" + std::to_string(size));
    test::writeFile(path, bytes);
    std::uint64_t seen = 0;
    HashResult r = hasher.hashFile(path, [&](std::uint64_t n) {
      seen += n;
      return true;
    });
    ASSERT_EQ(r.status, HashStatus::Done);
    EXPECT_EQ(r.size, size);
    EXPECT_EQ(seen, size);
    EXPECT_EQ(r.fingerprint.hex(), xxhsum(path)) << size;
  }
}

TEST(ContentHasher, StopsWhenToldAndNeverFollowsLinks) {
  test::TempDir dir;
  test::writeFile(dir.file("big"), std::string(2 * ContentHasher::kBlock, 'x'));
  ContentHasher hasher;
  EXPECT_EQ(hasher.hashFile(dir.file("big"), [](std::uint64_t) { return false; }).status,
            HashStatus::Stopped);
  ASSERT_EQ(::symlink(dir.file("big").c_str(), dir.file("link").c_str()), 0);
  EXPECT_EQ(hasher.hashFile(dir.file("link")).status, HashStatus::Unreadable);
  EXPECT_EQ(hasher.hashFile(dir.path()).status, HashStatus::Unreadable);
  EXPECT_EQ(hasher.hashFile(dir.file("none")).status, HashStatus::Unreadable);
}

}  // namespace
}  // namespace kolvex
