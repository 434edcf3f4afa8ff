// What a scan must never do: lose the previous catalog on cancel or failure, leave
// temporary files, leave its volume, or stop at a folder it cannot read.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "ScanRig.h"
#include "core/catalog/ScanState.h"
#include "support/FaultyFileOps.h"

namespace kolvex {
namespace {

using test::makeDirs;
using test::Rec;
using test::touch;

// A catalog of the disc as it is, then a change on the disc, so that a second scan would
// write different bytes.
std::string catalogueThenChange(test::ScanRig& first, const std::string& disc) {
  for (int i = 0; i < 50; ++i) touch(disc + "file" + std::to_string(i), std::string(i, 'x'));
  makeDirs(disc + "sub/deeper");
  touch(disc + "sub/deeper/leaf");
  std::string catalog;
  EXPECT_EQ(first.scan(disc, &catalog).outcome, ScanOutcome::Done);
  touch(disc + "added-later");
  return catalog;
}

TEST(ScanSafety, CancelKeepsTheOldCatalogAndNoTemporaryFile) {
  for (const char* stage : {"A004", "A005"}) {
    test::ScanRig rig;
    std::string catalog = catalogueThenChange(rig, rig.disc());
    const std::string before = test::readFile(catalog);
    rig.progress.onStatus = [&](std::string_view key) {
      if (key == stage) TheScanState().AddingCancelled = true;
    };
    ScanResult res = rig.scan(rig.disc());
    EXPECT_EQ(res.outcome, ScanOutcome::Cancelled) << stage;
    EXPECT_TRUE(rig.dialogs.messages.empty()) << "a cancel shows nothing";
    EXPECT_EQ(test::readFile(catalog), before) << stage;
    EXPECT_TRUE(rig.leftovers().empty()) << stage;
    EXPECT_EQ(rig.progress.hidden, 2);
  }
}

TEST(ScanSafety, CancelFromTheEventPumpReachesTheWalk) {
  test::ScanRig rig;
  // Enough entries that the walk lets events through on its own time slices.
  for (int d = 0; d < 40; ++d) {
    makeDirs(rig.disc() + "d" + std::to_string(d));
    for (int f = 0; f < 200; ++f)
      touch(rig.disc() + "d" + std::to_string(d) + "/f" + std::to_string(f));
  }
  std::string catalog;
  ASSERT_EQ(rig.scan(rig.disc(), &catalog).outcome, ScanOutcome::Done);
  const std::string before = test::readFile(catalog);
  touch(rig.disc() + "new");
  bool walking = false;
  rig.progress.onStatus = [&](std::string_view key) { walking = key == "A005"; };
  rig.pump.onEvents = [&](int) {
    if (walking && TheScanState().AddedCount > 0) TheScanState().AddingCancelled = true;
  };
  // Slow each record a little so that slices pass within the walk.
  rig.icons.asked.clear();
  rig.options.IconIndexingMatches = "*";
  struct SlowIcons final : IconProvider {
    bool iconsOf(const std::string&, TIcon&, TIcon&) override {
      ::usleep(200);
      return false;
    }
    std::string typeNameOf(const std::string&) override { return {}; }
  };
  ScanResult res;
  {
    SlowIcons slow;
    ScanContext cx{rig.options, rig.volumes, slow,         rig.dialogs,
                   rig.texts,   rig.pump,    rig.progress, rig.archives()};
    VolumeScanner scanner(cx);
    TSCCDInfo h;
    ASSERT_TRUE(scanner.GetVolumeInfo(rig.disc(), h));
    res = scanner.CreateArchive(false, true, h, h.BaseDir, catalog);
  }
  EXPECT_EQ(res.outcome, ScanOutcome::Cancelled);
  EXPECT_LT(TheScanState().AddedCount, 40 * 201);
  EXPECT_EQ(test::readFile(catalog), before);
  EXPECT_TRUE(rig.leftovers().empty());
}

TEST(ScanSafety, FailedWriteKeepsTheOldCatalogAndShowsA003) {
  // Fail each file system call of the writer in turn, from the first to the last.
  test::ScanRig rig;
  std::string catalog = catalogueThenChange(rig, rig.disc());
  const std::string before = test::readFile(catalog);
  int calls = 0;
  {
    test::FaultyFileOps counting;
    ScanContext cx{rig.options, rig.volumes,  rig.icons,      rig.dialogs, rig.texts,
                   rig.pump,    rig.progress, rig.archives(), counting};
    VolumeScanner scanner(cx);
    TSCCDInfo h;
    ASSERT_TRUE(scanner.GetVolumeInfo(rig.disc(), h));
    TSCCDInfo copy = h;
    ASSERT_EQ(
        scanner.CreateArchive(false, true, copy, h.BaseDir, rig.archives() + "count.qel").outcome,
        ScanOutcome::Done);
    calls = counting.calls();
  }
  ASSERT_GT(calls, 5);
  for (int failAt = 1; failAt <= calls; ++failAt) {
    test::FaultyFileOps faulty(failAt, true);
    test::ScanRig each;
    // The same disc content: scan rig's disc through a rig that writes through faulty.
    each.ops = &faulty;
    ScanContext cx{each.options, rig.volumes,   each.icons,     each.dialogs, each.texts,
                   each.pump,    each.progress, rig.archives(), faulty};
    VolumeScanner scanner(cx);
    TSCCDInfo h;
    ASSERT_TRUE(scanner.GetVolumeInfo(rig.disc(), h));
    ScanResult res = scanner.CreateArchive(false, true, h, h.BaseDir, catalog);
    if (!faulty.failed()) continue;  // a call the scan did not make this time
    EXPECT_TRUE(rig.leftovers().empty()) << "call " << failAt;
    if (res.outcome == ScanOutcome::Done) {
      // A failure the writer could get over (a second try at removing its temporary file,
      // syncing the folder after the rename): the new catalog must then be whole.
      auto all = test::readAll(catalog);
      EXPECT_TRUE(std::any_of(all.begin(), all.end(),
                              [](const Rec& r) { return r.r.FileName == "added-later"; }));
      test::writeFile(catalog, before);
      continue;
    }
    EXPECT_EQ(res.outcome, ScanOutcome::Failed) << "call " << failAt;
    EXPECT_FALSE(res.reason.empty());
    ASSERT_EQ(each.dialogs.messages.size(), 1u) << "call " << failAt;
    EXPECT_EQ(each.dialogs.messages[0].text, "A003");
    EXPECT_EQ(test::readFile(catalog), before) << "call " << failAt;
    EXPECT_TRUE(each.leftovers().empty()) << "call " << failAt;
  }
}

// Runs f with the effective user "nobody", so that permissions apply even to root.
template <typename F>
bool asNobody(F f) {
  if (::geteuid() != 0) {
    f();
    return true;
  }
  if (::setegid(65534) != 0 || ::seteuid(65534) != 0) return false;
  f();
  return ::seteuid(0) == 0 && ::setegid(0) == 0;
}

void openUp(const std::string& path) {
  namespace fs = std::filesystem;
  fs::permissions(path, fs::perms::all);
  for (auto& e : fs::recursive_directory_iterator(path))
    if (!e.is_symlink()) fs::permissions(e.path(), fs::perms::all);
}

TEST(ScanSafety, UnreadableFoldersAreCataloguedEmptyAndTheScanGoesOn) {
  test::ScanRig rig;
  const std::string d = rig.disc();
  touch(d + "before.txt");
  makeDirs(d + "locked/inside");
  touch(d + "locked/secret.txt");
  makeDirs(d + "listonly");
  touch(d + "listonly/seen.txt");
  touch(d + "zz-after.txt");
  // Everything the unprivileged scan must reach or write is opened up to everyone.
  openUp(rig.dir.path());
  openUp(rig.archives());
  openUp(std::getenv("TMPDIR"));
  ::chmod((d + "locked").c_str(), 0);
  ::chmod((d + "listonly").c_str(), 0444);  // listed, but its entries cannot be looked at
  std::string catalog;
  ScanResult res;
  bool switched = asNobody([&] { res = rig.scan(d, &catalog); });
  ::chmod((d + "locked").c_str(), 0755);
  ::chmod((d + "listonly").c_str(), 0755);
  if (!switched) GTEST_SKIP() << "cannot drop privileges to test unreadable folders";
  ASSERT_EQ(res.outcome, ScanOutcome::Done) << res.reason;
  EXPECT_EQ(res.unreadableFolders, 1);
  auto all = test::readAll(catalog);
  const Rec& locked = test::folder(all, "X:\\", "locked");
  EXPECT_EQ(locked.r.ChildFileRP, kNoRecord);
  EXPECT_EQ(locked.r.ChildDirRP, kNoRecord);
  const Rec& listonly = test::folder(all, "X:\\", "listonly");
  ASSERT_NE(listonly.r.ChildFileRP, kNoRecord);
  const Rec& seen = test::at(all, listonly.r.ChildFileRP);
  EXPECT_EQ(seen.r.FileName, "seen.txt");
  EXPECT_EQ(seen.r.FilePath, "X:\\listonly\\");
  int files = 0;
  for (const Rec& r : all) files += r.r.isDirectory() ? 0 : 1;
  EXPECT_EQ(files, 3);  // before, seen, after
}

TEST(ScanSafety, AnotherFileSystemMountedInsideIsAnEmptyFolder) {
  test::ScanRig rig;
  const std::string d = rig.disc();
  makeDirs(d + "mnt");
  touch(d + "outside.txt");
  if (::mount("kolvex-test", (d + "mnt").c_str(), "tmpfs", 0, "size=1m") != 0)
    GTEST_SKIP() << "cannot mount a tmpfs here (needs root and mount rights)";
  touch(d + "mnt/on-other-volume.txt");
  makeDirs(d + "mnt/sub");
  std::string catalog;
  ScanResult res = rig.scan(d, &catalog);
  ::umount2((d + "mnt").c_str(), MNT_DETACH);
  ASSERT_EQ(res.outcome, ScanOutcome::Done) << res.reason;
  TSCCDInfo h;
  auto all = test::readAll(catalog, &h);
  EXPECT_EQ(h.TotalFiles, 1);
  EXPECT_EQ(h.TotalDirectories, 1);
  const Rec& mnt = test::folder(all, "X:\\", "mnt");
  EXPECT_EQ(mnt.r.ChildFileRP, kNoRecord);
  EXPECT_EQ(mnt.r.ChildDirRP, kNoRecord);
  EXPECT_EQ(mnt.r.FilesUnderMe, 0);
}

}  // namespace
}  // namespace kolvex
