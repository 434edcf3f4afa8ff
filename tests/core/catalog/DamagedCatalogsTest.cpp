// Damaged catalog files are told once per state of the file, also across starts.
#include <gtest/gtest.h>

#include <fstream>

#include "core/catalog/DamagedCatalogs.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

void put(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<ArchiveEntry> unreadable(std::initializer_list<std::string> paths) {
  std::vector<ArchiveEntry> out;
  for (const std::string& p : paths) out.push_back({p, nullptr, "damaged"});
  return out;
}

std::vector<std::string> paths(const std::vector<ArchiveEntry>& entries) {
  std::vector<std::string> out;
  for (const ArchiveEntry& e : entries) out.push_back(e.path);
  return out;
}

TEST(DamagedCatalogs, WhatWasToldHoldsAtTheNextStartUntilAFileChanges) {
  test::TempDir tmp;
  // Names a line-based file could trip on.
  const std::string cut = tmp.file("cut.qel"), odd = tmp.file("two\nlines \\n.qel");
  const std::string told = tmp.file(".told");
  put(cut, "TPF0 cut");
  put(odd, "junk");
  {
    DamagedCatalogs first;
    first.load(told);  // none yet
    EXPECT_EQ(paths(first.untold(unreadable({cut, odd}))), (std::vector<std::string>{cut, odd}));
    ASSERT_TRUE(first.save(told));
  }
  DamagedCatalogs next;  // the next start
  next.load(told);
  EXPECT_TRUE(next.untold(unreadable({cut, odd})).empty());
  // A file written again, and one newly damaged, are told; the others are not.
  const std::string fresh = tmp.file("fresh.qel");
  put(fresh, "x");
  put(cut, "TPF0 cut shorter, and longer");
  EXPECT_EQ(paths(next.untold(unreadable({cut, odd, fresh}))), (std::vector<std::string>{cut, fresh}));
  // A file that was fine in between is told when it is damaged again.
  EXPECT_TRUE(next.untold(unreadable({cut, fresh})).empty());
  EXPECT_EQ(paths(next.untold(unreadable({cut, odd, fresh}))), (std::vector<std::string>{odd}));
}

TEST(DamagedCatalogs, AGarbledOrUnwritableFileOnlyMeansTellingAgain) {
  test::TempDir tmp;
  const std::string bad = tmp.file("bad.qel"), told = tmp.file(".told");
  put(bad, "junk");
  put(told, "not a number\n12 x\n\n-1 0 0 0 \\q\n");
  DamagedCatalogs d;
  d.load(told);
  EXPECT_EQ(d.untold(unreadable({bad})).size(), 1u);
  EXPECT_FALSE(d.save(tmp.file("no/such/folder/.told")));
  DamagedCatalogs again;
  again.takeText(d.text());
  EXPECT_TRUE(again.untold(unreadable({bad})).empty());
}

}  // namespace
}  // namespace kolvex
