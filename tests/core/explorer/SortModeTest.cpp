// The order of the file list: folders first, the keys of the sort modes, column clicks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/explorer/ExplorerTestFixture.h"
#include "core/explorer/SortMode.h"

namespace kolvex {
namespace {

FolderEntry entry(std::string name, std::int64_t size = 0, double time = 1.0,
                  std::int64_t pos = 0) {
  FolderEntry e;
  e.record.FileName = std::move(name);
  e.record.FileSize = size;
  e.record.CreateDateTime = time;
  e.position = pos;
  return e;
}

FolderEntry folder(std::string name, std::int64_t pos = 0) {
  return entry(std::move(name), 0, 0.0, pos);
}

std::vector<std::string> sorted(std::vector<FolderEntry> v, SortModeValue mode) {
  SortEntries(v, mode);
  std::vector<std::string> out;
  for (const auto& e : v) out.push_back(e.record.FileName);
  return out;
}

TEST(SortMode, ColumnClicksToggleTheDirectionOfTheirOwnKeyOnly) {
  struct Case {
    int column;
    SortModeValue before, after;
  } cases[] = {{0, 0, 1}, {0, 1, 0}, {0, 4, 0}, {1, 10, 11}, {1, 11, 10}, {1, 0, 10}, {2, 8, 9},
               {2, 9, 8}, {2, 5, 8}, {3, 4, 5}, {3, 5, 4},   {3, 10, 4},  {4, 5, 5},  {-1, 8, 8}};
  for (const Case& c : cases)
    EXPECT_EQ(SortModeAfterColumnClick(c.column, c.before), c.after)
        << "column " << c.column << " from " << int{c.before};
  EXPECT_EQ(ColumnOfSortMenuTag(90302), 0);
  EXPECT_EQ(ColumnOfSortMenuTag(90303), 1);
  EXPECT_EQ(ColumnOfSortMenuTag(90305), 3);
  EXPECT_EQ(ColumnOfSortMenuTag(90306), -1);
  EXPECT_EQ(ColumnOfSortMenuTag(90301), -1);
}

TEST(SortMode, FoldersStayAboveFilesInEveryModeAndDirection) {
  std::vector<FolderEntry> v = {entry("a.txt", 1, 2.0, 1), folder("zeta", 2), entry("Z", 9, 5.0, 3),
                                folder("Alpha", 4), entry("m.doc", 5, 1.0, 5)};
  for (SortModeValue mode : {0, 1, 4, 5, 8, 9, 10, 11}) {
    std::vector<std::string> names = sorted(v, mode);
    std::vector<std::string> firstTwo(names.begin(), names.begin() + 2);
    std::sort(firstTwo.begin(), firstTwo.end());
    EXPECT_EQ(firstTwo, (std::vector<std::string>{"Alpha", "zeta"})) << int{mode};
  }
  EXPECT_EQ(sorted(v, kSortNameDesc),
            (std::vector<std::string>{"zeta", "Alpha", "Z", "m.doc", "a.txt"}));
}

TEST(SortMode, NamesIgnoreTheCaseOfAToZOnly) {
  EXPECT_EQ(sorted({entry("B.txt", 0, 1, 1), entry("a2.txt", 0, 1, 2), entry("a", 0, 1, 3)}, 0),
            (std::vector<std::string>{"a", "a2.txt", "B.txt"}));
  // Equal keys keep a fixed order, whichever comes first in the input.
  std::vector<FolderEntry> same = {entry("readme.txt", 0, 1, 1), entry("README.TXT", 0, 1, 2)};
  std::vector<std::string> one = sorted(same, 0);
  std::swap(same[0], same[1]);
  EXPECT_EQ(sorted(same, 0), one);
  EXPECT_EQ(sorted(same, 1), one);  // the tie-break does not turn with the direction
  // Bytes above 127 are compared unsigned and left as they are.
  EXPECT_EQ(sorted({entry("\xC3\xA9", 0, 1, 1), entry("z", 0, 1, 2)}, 0),
            (std::vector<std::string>{"z", "\xC3\xA9"}));
}

TEST(SortMode, KindSortsByTheExtensionFromTheLastDot) {
  std::vector<FolderEntry> v = {entry("b.TXT", 0, 1, 1), entry("Makefile", 0, 1, 2),
                                entry("a.tar.gz", 0, 1, 3), entry("c.doc", 0, 1, 4)};
  EXPECT_EQ(sorted(v, kSortKindAsc),
            (std::vector<std::string>{"Makefile", "c.doc", "a.tar.gz", "b.TXT"}));
  EXPECT_EQ(sorted(v, kSortKindDesc),
            (std::vector<std::string>{"b.TXT", "a.tar.gz", "c.doc", "Makefile"}));
}

TEST(SortMode, SizesAreSignedAndDatesMayBeAnything) {
  EXPECT_EQ(
      sorted({entry("big", 5'000'000'000), entry("neg", -1), entry("small", 3)}, kSortSizeAsc),
      (std::vector<std::string>{"neg", "small", "big"}));
  double nan = std::numeric_limits<double>::quiet_NaN();
  double inf = std::numeric_limits<double>::infinity();
  std::vector<FolderEntry> v;
  for (int i = 0; i < 40; ++i) {
    double t = i % 3 == 0 ? nan : (i % 5 == 0 ? -inf : 45000.0 + (i * 7919) % 13);
    v.push_back(entry("f" + std::to_string(i), 0, t, i));
  }
  // A comparison that is not a strict weak order would let the sort run off the end.
  for (SortModeValue mode : {kSortDateAsc, kSortDateDesc}) {
    for (const auto& a : v) {
      EXPECT_FALSE(EntryBefore(a, a, mode));
      for (const auto& b : v) EXPECT_FALSE(EntryBefore(a, b, mode) && EntryBefore(b, a, mode));
    }
    std::vector<FolderEntry> s = v;
    SortEntries(s, mode);
    EXPECT_TRUE(std::is_sorted(s.begin(), s.end(), [mode](const auto& a, const auto& b) {
      return EntryBefore(a, b, mode);
    }));
  }
  std::vector<FolderEntry> s = v;
  SortEntries(s, kSortDateAsc);
  EXPECT_TRUE(std::isinf(s.front().record.CreateDateTime));
  EXPECT_TRUE(std::isnan(s.back().record.CreateDateTime));
}

TEST(SortMode, TheFastSortGivesTheOrderOfTheComparison) {
  // Names sharing long prefixes, differing in case, bytes above 127 and lengths around the
  // sixteen bytes the sort looks at first; sizes and dates of both signs, NaN and zero.
  std::uint32_t seed = 7;
  auto next = [&] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
  const char* stems[] = {"File_000000000000", "file_00000000000", "FILE_", "a", "", "\xE9t\xE9"};
  std::vector<FolderEntry> v;
  for (int i = 0; i < 3000; ++i) {
    std::string name = stems[next() % 6];
    for (std::uint32_t k = next() % 4; k > 0; --k) name += "aZ.9\xFF"[next() % 5];
    if (next() % 3 == 0) name += ".TxT";
    double times[] = {0.0, -0.0, 45000.5, -3.25, std::nan(""), 1e300};
    FolderEntry e = entry(name, static_cast<std::int64_t>(next() % 7) - 3, times[next() % 6], i);
    v.push_back(e);
  }
  for (SortModeValue mode : {0, 1, 4, 5, 8, 9, 10, 11}) {
    std::vector<FolderEntry> s = v;
    SortEntries(s, mode);
    ASSERT_EQ(s.size(), v.size());
    EXPECT_TRUE(std::is_sorted(s.begin(), s.end(), [mode](const auto& a, const auto& b) {
      return EntryBefore(a, b, mode);
    })) << int{mode};
  }
}

using test::dir;
using test::ExplorerTest;
using test::file;

TEST_F(ExplorerTest, SizeTwiceThenNameThroughTheModel) {
  model.OpenArchive(
      write("c.qel", dir("", {file("b.txt", 20), dir("sub"), file("A.doc", 300), file("c", 1)})));
  EXPECT_EQ(names(), (std::vector<std::string>{"sub", "A.doc", "b.txt", "c"}));
  model.columnClick(3);
  EXPECT_EQ(model.SortMode(), kSortSizeAsc);
  EXPECT_EQ(names(), (std::vector<std::string>{"sub", "c", "b.txt", "A.doc"}));
  model.columnClick(3);
  EXPECT_EQ(names(), (std::vector<std::string>{"sub", "A.doc", "b.txt", "c"}));
  EXPECT_EQ(model.SortMode(), kSortSizeDesc);
  model.columnClick(0);
  EXPECT_EQ(model.SortMode(), kSortNameAsc);
  EXPECT_EQ(names(), (std::vector<std::string>{"sub", "A.doc", "b.txt", "c"}));
  // The sort menu acts as the column; the kind item twice reverses the kind order.
  model.sortMenuClick(90303);
  EXPECT_EQ(names(), (std::vector<std::string>{"sub", "c", "A.doc", "b.txt"}));
  model.sortMenuClick(90303);
  EXPECT_EQ(model.SortMode(), kSortKindDesc);
  EXPECT_EQ(names(), (std::vector<std::string>{"sub", "b.txt", "A.doc", "c"}));
  // The mode holds for the next folder shown; the next catalog opens by name again.
  show("DISC\\sub");
  EXPECT_EQ(model.SortMode(), kSortKindDesc);
  model.OpenArchive(write("d.qel", dir("", {file("b.a", 1), file("a", 2)})));
  EXPECT_EQ(model.SortMode(), kSortNameAsc);
  EXPECT_EQ(names(), (std::vector<std::string>{"a", "b.a"}));
}

}  // namespace
}  // namespace kolvex
