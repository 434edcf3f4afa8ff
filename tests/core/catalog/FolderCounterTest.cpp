// The counting pass on several threads and alone: a tree that changes while the helpers
// are ahead of the calling thread, and a cancel, must neither hang it nor leave a helper
// running; what it counts must lie between the tree before and after the change.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ScanRig.h"
#include "core/catalog/FolderCounter.h"

namespace kolvex {
namespace {

using test::makeDirs;
using test::touch;

// Runs hook whenever the counting thread lets window events run.
class HookPump final : public EventPump {
 public:
  void processEvents() override {
    ++calls;
    if (hook) hook();
  }
  std::function<void()> hook;
  int calls = 0;
};

// A clock that moves a second on every reading, so every check of the slice lets events run.
SliceClock racingClock() {
  auto t = std::make_shared<std::chrono::steady_clock::time_point>();
  return [t] { return *t += std::chrono::seconds(1); };
}

// folders folders of files files each below root.
void makeFolders(const std::string& root, int folders, int files) {
  for (int i = 0; i < folders; ++i) {
    const std::string f = root + "/d" + std::to_string(i);
    makeDirs(f + "/inner");
    for (int j = 0; j < files; ++j) touch(f + "/f" + std::to_string(j));
  }
}

struct Counted {
  bool done = false;
  FolderCount count;
};

Counted countBelow(const std::string& root, HookPump& events, const bool& cancelled,
                   CountThreads threads) {
  const int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  EXPECT_GE(fd, 0);
  struct stat st {};
  ::fstat(fd, &st);
  SlicedPump pump(events, std::chrono::milliseconds(20), racingClock());
  const MountFilter everyFolder;  // no mount table: every folder gets a look of its own
  Counted c;
  c.done = CountInParallel(fd, st.st_dev, everyFolder, threads, pump, cancelled, c.count);
  ::close(fd);
  return c;
}

TEST(FolderCounter, FoldersVanishingOrTurningIntoFilesWhileCountedAreCountedAsFound) {
  test::TempDir dir;
  const std::string root = dir.path() + "tree";
  namespace fs = std::filesystem;
  // The calling thread lists the top folder itself, letting events run every
  // kCheckEvery entries; the first round after that listing makes the change.
  constexpr int kAfterTheTop = 300 / SlicedPump::kCheckEvery + 1;
  for (bool cold : {false, true}) {
    SCOPED_TRACE(cold ? "cold" : "warm");
    // The helpers may count every folder before the calling thread lets events run again
    // (a busy machine); nothing changed under them then, and the run is tried again.
    bool changed = false;
    for (int attempt = 0; attempt < 20 && !changed; ++attempt) {
      fs::remove_all(root);
      makeFolders(root, 300, 6);
      HookPump events;
      events.hook = [&] {
        if (changed || events.calls < kAfterTheTop) return;
        changed = true;
        // Half the folders go; a third of those come back as files.
        for (int i = 150; i < 300; ++i) fs::remove_all(root + "/d" + std::to_string(i));
        for (int i = 150; i < 200; ++i) touch(root + "/d" + std::to_string(i));
      };
      const bool cancelled = false;
      const Counted c = countBelow(root, events, cancelled, {1, 4, cold});
      ASSERT_TRUE(c.done);
      // Before: 600 folders, 1800 files. After: 300 folders, 900 + 50 files.
      EXPECT_GE(c.count.dirs, 300);
      EXPECT_LE(c.count.dirs, 600);
      EXPECT_GE(c.count.files, 900);
      EXPECT_LE(c.count.files, 1800 + 50);
      // Only a folder removed while it was being listed can have broken off.
      EXPECT_LE(c.count.unreadable, 150);
    }
    EXPECT_TRUE(changed);
  }
  // And once the tree stands still, exactly what it holds.
  fs::remove_all(root);
  makeFolders(root, 300, 6);
  fs::remove_all(root + "/d150");
  HookPump quiet;
  const bool cancelled = false;
  const Counted c = countBelow(root, quiet, cancelled, {2, 2, true});
  ASSERT_TRUE(c.done);
  EXPECT_EQ(c.count.dirs, 598);
  EXPECT_EQ(c.count.files, 1800 - 6);
}

TEST(FolderCounter, ACancelStopsEveryThreadAndCountsNothing) {
  test::TempDir dir;
  const std::string root = dir.path() + "tree";
  makeFolders(root, 400, 3);
  // Warm, cold with idle cold helpers, and the calling thread alone.
  for (CountThreads threads : {CountThreads{1, 6, false}, CountThreads{1, 6, true},
                               CountThreads{0, 0, false}}) {
    HookPump events;
    bool cancelled = false;
    events.hook = [&] {
      if (events.calls == 3) cancelled = true;
    };
    const Counted c = countBelow(root, events, cancelled, threads);
    EXPECT_FALSE(c.done);
    EXPECT_EQ(c.count.dirs + c.count.files, 0);
    EXPECT_EQ(events.calls, 3) << "the count went on after the cancel";
  }
}

TEST(FolderCounter, AloneTheCallingThreadCountsWhatItFinds) {
  test::TempDir dir;
  const std::string root = dir.path() + "tree";
  namespace fs = std::filesystem;
  // Alone, the top folder is listed whole first, then the first folder of its listing is
  // read: the change comes while that one is listed, before any other folder is opened, so
  // the totals are exact. It leaves that folder alone.
  constexpr int kAfterTheTop = 300 / SlicedPump::kCheckEvery + 1;
  std::vector<std::string> listed;  // in the order of the listing
  HookPump events;
  bool changed = false;
  events.hook = [&] {
    if (changed || events.calls < kAfterTheTop) return;
    changed = true;
    for (int i = 150; i < 300; ++i) fs::remove_all(listed[i]);
    for (int i = 150; i < 200; ++i) touch(listed[i]);
  };
  const bool cancelled = false;
  // The same when told the disk is cold: with no helper to share the waits, it is not.
  for (CountThreads alone : {CountThreads{0, 0, false}, CountThreads{0, 0, true}}) {
    changed = false;
    events.calls = 0;
    fs::remove_all(root);
    makeFolders(root, 300, 6);
    listed.clear();
    for (const auto& entry : fs::directory_iterator(root)) listed.push_back(entry.path());
    ASSERT_EQ(listed.size(), 300u);
    const Counted c = countBelow(root, events, cancelled, alone);
    ASSERT_TRUE(changed);
    ASSERT_TRUE(c.done);
    // 150 folders and their inner folders; 50 now files, 100 gone.
    EXPECT_EQ(c.count.dirs, 300);
    EXPECT_EQ(c.count.files, 150 * 6 + 50);
    EXPECT_EQ(c.count.unreadable, 0);
  }
}

TEST(FolderCounter, AnEmptyFolderAndAFolderOfFilesOnlyNeedNoHelper) {
  test::TempDir dir;
  makeDirs(dir.path() + "empty");
  makeDirs(dir.path() + "flat");
  for (int i = 0; i < 5; ++i) touch(dir.path() + "flat/f" + std::to_string(i));
  HookPump events;
  const bool cancelled = false;
  EXPECT_EQ(countBelow(dir.path() + "empty", events, cancelled, {3, 3, false}).count.files, 0);
  const Counted c = countBelow(dir.path() + "flat", events, cancelled, {3, 3, true});
  EXPECT_TRUE(c.done);
  EXPECT_EQ(c.count.files, 5);
  EXPECT_EQ(c.count.dirs, 0);
}

}  // namespace
}  // namespace kolvex
