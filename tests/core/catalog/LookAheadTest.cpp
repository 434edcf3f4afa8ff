// The lookups made by a second thread ahead of the walk: they must come in exactly the
// walk's order however deep or wide the tree, and a tree that changes behind the thread's
// back, a cancel or an early end must neither hang the scan nor break its catalog.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <thread>

#include "ScanRig.h"
#include "core/catalog/LookAhead.h"
#include "core/catalog/ScanState.h"

namespace kolvex {
namespace {

using test::makeDirs;
using test::touch;

// What one lstat after another finds below folder, depth first in listing order, entering
// the folders the walk enters (not links, not other devices).
void expectedOrder(const std::string& folder, dev_t device, const std::string& shown,
                   std::vector<std::string>& out) {
  for (const std::string& name : test::listingOrder(folder)) {
    out.push_back(shown + name);
    struct stat st {};
    ASSERT_EQ(::lstat((folder + "/" + name).c_str(), &st), 0);
    if (S_ISDIR(st.st_mode) && st.st_dev == device)
      expectedOrder(folder + "/" + name, device, shown + name + "/", out);
  }
}

// Takes the chunks as the walk does: each folder's chunks in turn, each sub-folder's
// chunks (its whole subtree) at the point of its parent's listing that names it, holding
// the parent's chunk meanwhile.
struct Taker {
  LookAhead& ahead;
  SlicedPump& pump;
  dev_t device;
  std::vector<std::string> seen;
  std::size_t chunks = 0, largest = 0;
  bool cancelled = false;

  void folder(FolderChunk* chunk, const std::string& shown) {
    for (;;) {
      ++chunks;
      largest = std::max(largest, chunk->names.size());
      ASSERT_EQ(chunk->names.size(), chunk->stats.size());
      ASSERT_EQ(chunk->names.size(), chunk->types.size());
      for (std::size_t i = 0; i < chunk->names.size(); ++i) {
        const std::string name(chunk->names[i]);
        seen.push_back(shown + name);
        const EntryStat& st = chunk->stats[i];
        if (st.error != 0 || !S_ISDIR(st.mode) || st.device != device) continue;
        FolderChunk* child = ahead.next(pump, cancelled);
        ASSERT_NE(child, nullptr) << shown + name;
        ASSERT_EQ(child->openError, 0) << shown + name;
        folder(child, shown + name + "/");
      }
      const bool last = chunk->last;
      EXPECT_EQ(chunk->listError, 0);
      ahead.release(chunk);
      if (last) return;
      chunk = ahead.next(pump, cancelled);
      ASSERT_NE(chunk, nullptr) << shown;
    }
  }
};

TEST(LookAhead, ChunksComeInTheWalksOrderHoweverDeepOrWide) {
  test::TempDir dir;
  const std::string root = dir.path() + "tree";
  makeDirs(root + "/wide");
  for (int i = 0; i < 600; ++i) touch(root + "/wide/f" + std::to_string(i));  // three chunks
  // Deeper than the queue is long: the walk then holds more chunks than may wait.
  std::string deep = root + "/deep";
  for (std::size_t i = 0; i < LookAhead::kQueued + 100; ++i) deep += "/d";
  makeDirs(deep);
  touch(deep + "/leaf");
  makeDirs(root + "/empty");
  makeDirs(root + "/mixed/inner");
  touch(root + "/mixed/inner/x");
  touch(root + "/mixed/y");
  ASSERT_EQ(::symlink("wide", (root + "/link").c_str()), 0);  // a file entry, never entered
  touch(root + "/top");

  struct stat st {};
  ASSERT_EQ(::stat(root.c_str(), &st), 0);
  std::vector<std::string> expected;
  expectedOrder(root, st.st_dev, "", expected);

  const int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  NoEventPump none;
  SlicedPump pump(none);
  std::vector<std::string> seen;
  {
    LookAhead ahead(fd, st.st_dev);
    Taker taker{ahead, pump, st.st_dev};
    FolderChunk* first = ahead.next(pump, taker.cancelled);
    ASSERT_NE(first, nullptr);
    taker.folder(first, "");
    EXPECT_EQ(taker.largest, LookAhead::kChunk);
    seen = std::move(taker.seen);
  }
  ::close(fd);
  EXPECT_EQ(seen, expected);
}

// Hands every file the walk writes to a hook first (the walk asks for icons on its own
// thread, so the hook runs between two records); not the disc's own icon.
class HookIcons final : public IconProvider {
 public:
  // `first` runs when the walk asks for the icons of the first entry under "crowded".
  bool iconsOf(const std::string& path, TIcon&, TIcon&) override {
    if (path.find("/crowded/") != std::string::npos && ++asked == 1 && first) first();
    return false;
  }
  std::string typeNameOf(const std::string&) override { return {}; }
  std::function<void()> first;
  int asked = 0;
};

// A folder of more sub-folders than the queue holds chunks: when the walk stops at its
// first file, the thread soon waits for room with the last sub-folders looked up but not
// yet opened.
std::vector<std::string> makeCrowdedFolder(const std::string& folder) {
  for (std::size_t i = 0; i < LookAhead::kQueued + 88; ++i) {
    makeDirs(folder + "/s" + std::to_string(i));
    touch(folder + "/s" + std::to_string(i) + "/f");
  }
  return test::listingOrder(folder);
}

ScanResult scanWithHook(test::ScanRig& rig, HookIcons& icons, const std::string& catalog) {
  rig.options.IconIndexingMatches = "*";
  ScanContext cx{rig.options, rig.volumes, icons,        rig.dialogs,
                 rig.texts,   rig.pump,    rig.progress, rig.archives()};
  cx.statMethod = StatMethod::Ahead;
  VolumeScanner scanner(cx);
  TSCCDInfo h;
  EXPECT_TRUE(scanner.GetVolumeInfo(rig.disc(), h));
  return scanner.CreateArchive(false, true, h, h.BaseDir, catalog);
}

TEST(LookAhead, FoldersThatVanishOrTurnIntoFilesBehindTheThreadAreHandledAsByOneWalk) {
  test::ScanRig rig;
  const std::string crowded = rig.disc() + "crowded";
  const std::vector<std::string> order = makeCrowdedFolder(crowded);
  const std::size_t n = order.size();
  namespace fs = std::filesystem;
  HookIcons icons;
  icons.first = [&] {
    // Time for the thread to run into the full queue (if it is slower, it meets the
    // changes in its own lookups instead, and the catalog must still be sound).
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    for (std::size_t i = n - 60; i < n; ++i) fs::remove_all(crowded + "/" + order[i]);
    for (std::size_t i = n - 60; i < n - 50; ++i) touch(crowded + "/" + order[i]);
  };
  const std::string catalog = rig.archives() + "c.qel";
  ScanResult res = scanWithHook(rig, icons, catalog);
  ASSERT_EQ(res.outcome, ScanOutcome::Done) << res.reason;
  TSCCDInfo h;
  auto all = test::readAll(catalog, &h);  // also: the header's totals fill the file exactly
  std::size_t folders = 0, emptyFolders = 0, files = 0;
  for (const test::Rec& r : all) {
    if (r.r.FilePath != "X:\\crowded\\") continue;
    const bool replaced =
        std::find(order.begin() + (n - 60), order.begin() + (n - 50), r.r.FileName) !=
        order.begin() + (n - 50);
    const bool removed = std::find(order.begin() + (n - 50), order.end(), r.r.FileName) !=
                         order.end();
    EXPECT_FALSE(removed) << r.r.FileName << " was gone before it was opened";
    if (!replaced) continue;
    if (r.r.isDirectory()) {
      ++folders;
      if (r.r.ChildFileRP == kNoRecord && r.r.ChildDirRP == kNoRecord) ++emptyFolders;
    } else {
      ++files;
    }
  }
  // Looked up as folders before they turned into files: empty folders that could not be
  // opened, as one walk alone would catalogue them at that moment; looked up after: files.
  EXPECT_GT(icons.asked, 0);
  if (res.unreadableFolders == 10) {
    EXPECT_EQ(emptyFolders, 10u);
    EXPECT_EQ(folders, 10u);
  } else {
    EXPECT_EQ(res.unreadableFolders, 0);
    EXPECT_EQ(files, 10u);
  }
  const test::Rec& top = test::folder(all, "X:\\", "crowded");
  EXPECT_EQ(top.r.DirsOnlyUM + top.r.FilesOnlyUM, static_cast<std::int32_t>(n - 50));
}

// The thread leaves the lookups of what its listing calls files to the walk while the walk
// is close behind (in a tree this small, always): a file that has become a folder by the
// time the walk looks it up is gone through by the walk itself, as without the thread.
TEST(LookAhead, AFileThatBecameAFolderBeforeTheWalkLookedItUpIsWalkedWhole) {
  test::ScanRig rig;
  const std::string crowded = rig.disc() + "crowded";
  makeDirs(crowded);
  for (int i = 0; i < 600; ++i) touch(crowded + "/f" + std::to_string(i));
  const std::vector<std::string> order = test::listingOrder(crowded);
  const std::string turned = order[100];
  namespace fs = std::filesystem;
  HookIcons icons;
  icons.first = [&] {
    fs::remove(crowded + "/" + turned);
    makeDirs(crowded + "/" + turned + "/inner");
    touch(crowded + "/" + turned + "/inner/leaf");
    touch(crowded + "/" + turned + "/top");
  };
  const std::string catalog = rig.archives() + "c.qel";
  ScanResult res = scanWithHook(rig, icons, catalog);
  ASSERT_EQ(res.outcome, ScanOutcome::Done) << res.reason;
  EXPECT_EQ(res.unreadableFolders, 0);
  TSCCDInfo h;
  auto all = test::readAll(catalog, &h);  // the header's totals fill the file exactly
  const test::Rec& folder = test::folder(all, "X:\\crowded\\", turned);
  EXPECT_EQ(folder.r.FilesUnderMe, 2);
  EXPECT_EQ(folder.r.DirsUnderMe, 1);
  EXPECT_EQ(test::folder(all, "X:\\", "crowded").r.FilesOnlyUM, 599);
}

TEST(LookAhead, CancelWhileTheThreadWaitsForRoomStopsAtOnce) {
  test::ScanRig rig;
  makeCrowdedFolder(rig.disc() + "crowded");
  const std::string catalog = rig.archives() + "c.qel";
  HookIcons icons;
  icons.first = [&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    TheScanState().AddingCancelled = true;
  };
  ScanResult res = scanWithHook(rig, icons, catalog);
  EXPECT_EQ(res.outcome, ScanOutcome::Cancelled);
  EXPECT_EQ(icons.asked, 1) << "the walk went on after the cancel";
  EXPECT_FALSE(std::filesystem::exists(catalog));
  EXPECT_TRUE(rig.leftovers().empty());
}

}  // namespace
}  // namespace kolvex
