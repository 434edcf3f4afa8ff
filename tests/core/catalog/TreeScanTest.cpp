// Catalogs of generated trees: links, order, counters, stored paths, totals and what the
// scan leaves behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>

#include "ScanRig.h"
#include "core/catalog/ScanState.h"

namespace kolvex {
namespace {

using test::folder;
using test::makeDirs;
using test::names;
using test::Rec;
using test::touch;

std::vector<std::string> reversed(std::vector<std::string> v) {
  std::reverse(v.begin(), v.end());
  return v;
}

TEST(TreeScan, LinksFollowPostOrderAndListingOrder) {
  test::ScanRig rig;
  const std::string d = rig.disc();
  touch(d + "a");
  touch(d + "b", "bb");
  touch(d + "c", "ccc");
  makeDirs(d + "docs/old");
  touch(d + "docs/one.txt");
  touch(d + "docs/old/two.txt");
  touch(d + "docs/old/three.txt");
  makeDirs(d + "empty");

  std::string catalog;
  ScanResult res = rig.scan(d, &catalog);
  ASSERT_EQ(res.outcome, ScanOutcome::Done) << res.reason;
  TSCCDInfo h;
  auto all = test::readAll(catalog, &h);
  EXPECT_EQ(h.TotalFiles, 6);
  EXPECT_EQ(h.TotalDirectories, 3);
  ASSERT_EQ(all.size(), 10u);
  EXPECT_EQ(res.records, 10);

  // Post-order: every link points backwards; the root is last and is the entrance.
  EXPECT_EQ(all.front().pos, 0);
  for (const Rec& r : all)
    for (std::int64_t link : {r.r.BrotherRP, r.r.ChildFileRP, r.r.ChildDirRP})
      if (link != kNoRecord && !(r.r.ChildFileRP == 0 && link == 0 && !r.r.isDirectory())) {
        EXPECT_LT(link, r.pos) << r.r.FileName;
      }
  const Rec& root = all.back();
  EXPECT_EQ(h.EntranceRP, root.pos);
  EXPECT_EQ(root.r.FileName, "");
  EXPECT_EQ(root.r.FilePath, "X:\\");
  EXPECT_EQ(root.r.BrotherRP, kNoRecord);
  EXPECT_EQ(root.r.Attribute & faDirectory, faDirectory);

  // Chains run from the last-listed entry back to the first-listed one.
  auto listing = test::listingOrder(d);
  std::vector<std::string> rootFiles, rootDirs;
  for (const auto& n : listing) (n == "docs" || n == "empty" ? rootDirs : rootFiles).push_back(n);
  EXPECT_EQ(names(test::chain(all, root.r.ChildFileRP)), reversed(rootFiles));
  EXPECT_EQ(names(test::chain(all, root.r.ChildDirRP)), reversed(rootDirs));
  std::vector<std::string> oldFiles = test::listingOrder(d + "docs/old");
  const Rec& old = folder(all, "X:\\docs\\", "old");
  EXPECT_EQ(names(test::chain(all, old.r.ChildFileRP)), reversed(oldFiles));

  // Counters.
  EXPECT_EQ(root.r.FilesOnlyUM, 3);
  EXPECT_EQ(root.r.DirsOnlyUM, 2);
  EXPECT_EQ(root.r.FilesUnderMe, 6);
  EXPECT_EQ(root.r.DirsUnderMe, 3);
  const Rec& docs = folder(all, "X:\\", "docs");
  EXPECT_EQ(docs.r.FilesOnlyUM, 1);
  EXPECT_EQ(docs.r.DirsOnlyUM, 1);
  EXPECT_EQ(docs.r.FilesUnderMe, 3);
  EXPECT_EQ(docs.r.DirsUnderMe, 1);
  EXPECT_EQ(old.r.ChildDirRP, kNoRecord);
  const Rec& empty = folder(all, "X:\\", "empty");
  EXPECT_EQ(empty.r.ChildFileRP, kNoRecord);
  EXPECT_EQ(empty.r.ChildDirRP, kNoRecord);
  EXPECT_EQ(empty.r.FilesUnderMe + empty.r.DirsUnderMe, 0);

  // Field rules of the two kinds of record.
  for (const Rec& r : all) {
    if (r.r.isDirectory()) {
      EXPECT_EQ(r.r.CreateDateTime, 0.0);
      EXPECT_EQ(r.r.FileSize, 0);
    } else {
      EXPECT_EQ(r.r.ChildFileRP, 0);
      EXPECT_EQ(r.r.ChildDirRP, 0);
      EXPECT_EQ(r.r.FilesUnderMe + r.r.DirsUnderMe + r.r.FilesOnlyUM + r.r.DirsOnlyUM, 0);
      EXPECT_GT(r.r.CreateDateTime, 40000.0);
      EXPECT_EQ(r.r.Attribute, faArchive);
      EXPECT_TRUE(r.r.EXEIconSmall->empty());
    }
  }
  for (const Rec& r : test::chain(all, old.r.ChildFileRP))
    EXPECT_EQ(r.r.FilePath, "X:\\docs\\old\\");
  EXPECT_EQ(at(all, root.r.ChildFileRP).r.FilePath, "X:\\");

  // The progress: counting, then writing, ending at files + folders.
  EXPECT_EQ(rig.progress.statuses, (std::vector<std::string>{"A004", "A005"}));
  EXPECT_EQ(rig.progress.range, 9);
  EXPECT_EQ(TheScanState().AddedCount, 9);
  EXPECT_EQ(rig.progress.shown, std::vector<bool>{false});
  EXPECT_EQ(rig.progress.hidden, 1);
  EXPECT_TRUE(rig.dialogs.messages.empty());  // quiet
  EXPECT_TRUE(rig.leftovers().empty());
  EXPECT_FALSE(TheScanState().Running);
}

TEST(TreeScan, FirstRecordAtPositionZeroEndsAChainBeforeMinusOne) {
  test::ScanRig rig;
  makeDirs(rig.disc() + "only");  // the empty folder is the first record written
  std::string catalog;
  ASSERT_EQ(rig.scan(rig.disc(), &catalog).outcome, ScanOutcome::Done);
  auto all = test::readAll(catalog);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].pos, 0);
  EXPECT_EQ(all[0].r.FileName, "only");
  EXPECT_EQ(all[1].r.ChildDirRP, 0);
  EXPECT_EQ(all[1].r.ChildFileRP, kNoRecord);
  EXPECT_EQ(names(test::chain(all, all[1].r.ChildDirRP)), std::vector<std::string>{"only"});
}

TEST(TreeScan, FilesOverFourGigabytesKeepTheirFullSize) {
  test::ScanRig rig;
  const std::string big = rig.disc() + "big.iso";
  int fd = ::open(big.c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  const off_t size = (5LL << 30) + 7;  // sparse: no disc space needed
  ASSERT_EQ(::ftruncate(fd, size), 0);
  ::close(fd);
  std::string catalog;
  ASSERT_EQ(rig.scan(rig.disc(), &catalog).outcome, ScanOutcome::Done);
  auto all = test::readAll(catalog);
  EXPECT_EQ(all[0].r.FileSize, size);
}

TEST(TreeScan, FoldersWithoutFilesAreCataloguedButNothingAtAllFails) {
  test::ScanRig rig;
  makeDirs(rig.disc() + "a/b");
  makeDirs(rig.disc() + "c");
  std::string catalog;
  ASSERT_EQ(rig.scan(rig.disc(), &catalog).outcome, ScanOutcome::Done);
  TSCCDInfo h;
  EXPECT_EQ(test::readAll(catalog, &h).size(), 4u);
  EXPECT_EQ(h.TotalFiles, 0);
  EXPECT_EQ(h.TotalDirectories, 3);

  test::ScanRig bare;
  ScanResult res = bare.scan(bare.disc(), &catalog);
  EXPECT_EQ(res.outcome, ScanOutcome::Failed);
  ASSERT_EQ(bare.dialogs.messages.size(), 1u);
  EXPECT_EQ(bare.dialogs.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(bare.dialogs.messages[0].text, "A003");
  EXPECT_FALSE(test::fileExists(catalog));
  EXPECT_TRUE(bare.leftovers().empty());

  // A window that asks for it learns which folder failed and why.
  bare.scanner().setExplainFailures(true);
  bare.dialogs.messages.clear();
  bare.scan(bare.disc(), &catalog);
  ASSERT_EQ(bare.dialogs.messages.size(), 1u);
  EXPECT_EQ(bare.dialogs.messages[0].text, "A003\nThere is nothing to catalog in " + bare.disc());
}

TEST(TreeScan, SuccessMessageUnlessQuiet) {
  test::ScanRig rig;
  touch(rig.disc() + "f");
  ASSERT_TRUE(rig.scanner().GetVolumeInfo(rig.disc(), rig.header));
  std::string name = rig.scanner().ArchiveFileNameFor(rig.header);
  ScanResult res = rig.scanner().CreateArchive(true, false, rig.header, rig.header.BaseDir, name);
  EXPECT_EQ(res.outcome, ScanOutcome::Done);
  ASSERT_EQ(rig.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig.dialogs.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(rig.dialogs.messages[0].text, "A002");
  EXPECT_EQ(rig.progress.shown, std::vector<bool>{true});  // compact
}

TEST(TreeScan, NamesAreStoredByteForByte) {
  test::ScanRig rig;
  const std::vector<std::string> odd = {"with space.txt", "caf\xE9.txt", "back\\slash",
                                        "\xFF\xFE raw",   "tab\there",   ".hidden"};
  for (const auto& n : odd) touch(rig.disc() + n);
  makeDirs(rig.disc() + "dir\\with\\backslash");
  touch(rig.disc() + "dir\\with\\backslash/inner\xC0.bin");
  std::string catalog;
  ASSERT_EQ(rig.scan(rig.disc(), &catalog).outcome, ScanOutcome::Done);
  auto all = test::readAll(catalog);
  std::vector<std::string> found;
  for (const Rec& r : all) found.push_back(r.r.FileName);
  for (const auto& n : odd) EXPECT_NE(std::find(found.begin(), found.end(), n), found.end()) << n;
  auto inner = std::find_if(all.begin(), all.end(),
                            [](const Rec& r) { return r.r.FileName == "inner\xC0.bin"; });
  ASSERT_NE(inner, all.end());
  EXPECT_EQ(inner->r.FilePath, "X:\\dir\\with\\backslash\\");
  // Found again on the disc from the stored name.
  for (const Rec& r : all)
    if (!r.r.isDirectory() && r.r.FilePath == "X:\\") {
      EXPECT_TRUE(test::fileExists(rig.disc() + r.r.FileName)) << r.r.FileName;
    }
  for (const Rec& r : all)
    if (r.r.FileName == ".hidden") {
      EXPECT_EQ(r.r.Attribute, faArchive | faHidden);
    }
}

TEST(TreeScan, SymbolicLinksAreFilesAndNeverFollowed) {
  test::ScanRig rig;
  const std::string d = rig.disc();
  makeDirs(d + "sub");
  touch(d + "sub/real.txt");
  ASSERT_EQ(::symlink(".", (d + "sub/self").c_str()), 0);
  ASSERT_EQ(::symlink("..", (d + "sub/up").c_str()), 0);
  ASSERT_EQ(::symlink("real.txt", (d + "sub/to-file").c_str()), 0);
  ASSERT_EQ(::symlink("/nowhere/at/all", (d + "sub/dangling").c_str()), 0);
  std::string catalog;
  ASSERT_EQ(rig.scan(d, &catalog).outcome, ScanOutcome::Done);
  TSCCDInfo h;
  auto all = test::readAll(catalog, &h);
  EXPECT_EQ(h.TotalFiles, 5);
  EXPECT_EQ(h.TotalDirectories, 1);
  ASSERT_EQ(all.size(), 7u);
  for (const Rec& r : all) {
    if (r.r.FileName == "self" || r.r.FileName == "up" || r.r.FileName == "to-file" ||
        r.r.FileName == "dangling") {
      EXPECT_EQ(r.r.Attribute, faReparsePoint) << r.r.FileName;
      EXPECT_EQ(r.r.ChildDirRP, 0);
    }
    if (r.r.FileName == "dangling") {
      EXPECT_EQ(r.r.FileSize, 15);  // the link's own size
    }
  }
}

TEST(TreeScan, AttributesAndTimes) {
  test::ScanRig rig;
  const std::string d = rig.disc();
  touch(d + "locked.txt");
  ::chmod((d + "locked.txt").c_str(), 0444);
  makeDirs(d + ".config");
  ::chmod((d + ".config").c_str(), 0555);
  ASSERT_EQ(::mkfifo((d + "pipe").c_str(), 0644), 0);
  touch(d + "dated.txt");
  // 2021-06-15 10:20:31 UTC, an odd second: stored on the two-second grid.
  struct timespec times[2] = {{1623752431, 0}, {1623752431, 500000000}};
  ASSERT_EQ(::utimensat(AT_FDCWD, (d + "dated.txt").c_str(), times, 0), 0);
  std::string catalog;
  ASSERT_EQ(rig.scan(d, &catalog).outcome, ScanOutcome::Done);
  ::chmod((d + ".config").c_str(), 0755);
  auto all = test::readAll(catalog);
  std::time_t t = 1623752431;
  std::tm local{};
  ::localtime_r(&t, &local);
  std::int64_t localSeconds = t + local.tm_gmtoff - 1;
  double expected = 25569 + static_cast<double>(localSeconds / 86400) +
                    static_cast<double>(localSeconds % 86400) / 86400;
  for (const Rec& r : all) {
    if (r.r.FileName == "locked.txt") {
      EXPECT_EQ(r.r.Attribute, faArchive | faReadOnly);
    }
    if (r.r.FileName == ".config") {
      EXPECT_EQ(r.r.Attribute, faDirectory | faHidden | faReadOnly);
    }
    if (r.r.FileName == "pipe") {
      EXPECT_EQ(r.r.Attribute, faSysFile);
    }
    if (r.r.FileName == "dated.txt") {
      EXPECT_DOUBLE_EQ(r.r.CreateDateTime, expected);
    }
  }
}

TEST(TreeScan, FileRemovedBetweenThePassesIsSkipped) {
  test::ScanRig rig;
  const std::string d = rig.disc();
  for (const char* n : {"keep1", "gone", "keep2"}) touch(d + n);
  rig.progress.onStatus = [&](std::string_view key) {
    if (key == "A005") ::unlink((d + "gone").c_str());
  };
  std::string catalog;
  ScanResult res = rig.scan(d, &catalog);
  ASSERT_EQ(res.outcome, ScanOutcome::Done) << res.reason;
  EXPECT_EQ(rig.progress.range, 3);  // the count saw three files
  TSCCDInfo h;
  auto all = test::readAll(catalog, &h);
  EXPECT_EQ(h.TotalFiles, 2);  // the header tells what the file holds
  ASSERT_EQ(all.size(), 3u);
  for (const Rec& r : all) EXPECT_NE(r.r.FileName, "gone");
  EXPECT_EQ(all.back().r.FilesOnlyUM, 2);
}

TEST(TreeScan, IconsOnlyForPathsMatchingTheMask) {
  test::ScanRig rig;
  const std::string d = rig.disc();
  touch(d + "setup.exe");
  touch(d + "readme.txt");
  makeDirs(d + "bin");
  touch(d + "bin/tool.EXE");
  rig.options.IconIndexingMatches = "*.exe";
  std::string catalog;
  ASSERT_EQ(rig.scan(d, &catalog).outcome, ScanOutcome::Done);
  auto all = test::readAll(catalog);
  for (const Rec& r : all) {
    bool exe = r.r.FileName == "setup.exe" || r.r.FileName == "tool.EXE";
    EXPECT_EQ(r.r.EXEIconLarge != nullptr && !r.r.EXEIconLarge->empty(), exe) << r.r.FileName;
  }
  // Asked about the real path of each matching file, and about the scanned folder.
  EXPECT_NE(std::find(rig.icons.asked.begin(), rig.icons.asked.end(), d + "bin/tool.EXE"),
            rig.icons.asked.end());

  // The mask is held against the whole path, so a bare name never matches.
  test::ScanRig bare;
  touch(bare.disc() + "setup.exe");
  bare.options.IconIndexingMatches = "setup.exe";
  ASSERT_EQ(bare.scan(bare.disc(), &catalog).outcome, ScanOutcome::Done);
  EXPECT_TRUE(test::readAll(catalog)[0].r.EXEIconSmall->empty());

  test::ScanRig bad;
  touch(bad.disc() + "x");
  bad.options.IconIndexingMatches = "[a-";
  ScanResult res = bad.scan(bad.disc(), &catalog);
  EXPECT_EQ(res.outcome, ScanOutcome::Failed);
  EXPECT_NE(res.reason.find("[a-"), std::string::npos);
  EXPECT_FALSE(test::fileExists(catalog));
}

TEST(TreeScan, SecondScanWhileOneRunsIsRefused) {
  test::ScanRig rig;
  touch(rig.disc() + "f");
  ScanResult inner;
  rig.progress.onStatus = [&](std::string_view key) {
    if (key != "A005") return;
    TSCCDInfo other;
    inner = rig.scanner().CreateArchive(false, true, other, rig.disc(), rig.archives() + "x.qel");
  };
  ScanResult outer = rig.scan(rig.disc());
  EXPECT_EQ(outer.outcome, ScanOutcome::Done);
  EXPECT_EQ(inner.outcome, ScanOutcome::Refused);
  ASSERT_EQ(rig.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig.dialogs.messages[0].text, kScanAlreadyRunning);
  EXPECT_FALSE(test::fileExists(rig.archives() + "x.qel"));
  // Once the first is over, the next may start.
  EXPECT_EQ(rig.scan(rig.disc()).outcome, ScanOutcome::Done);
}

}  // namespace
}  // namespace kolvex
