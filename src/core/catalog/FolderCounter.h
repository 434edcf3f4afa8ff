#pragma once
// The counting pass, on the calling thread alone or on several threads. Only totals come
// out of it, so the folders can be read in any order: the calling thread and its helpers
// take folders from one shared list, read each one's listing and put its sub-folders on
// the list for whoever is free next. With two cores the pass takes about half the time;
// with a cold disk several listings wait in the disk's queue at once instead of one.
//
// A cold disk is told by listings that take long to come. Then more helpers join (they
// only wait for the disk) and every entry is looked up as well, so that its inode is in
// the kernel's cache when the walk asks for it: the walk then runs at the speed of a warm
// cache. What the lookups find is not used; the counts follow the same rules whether cold
// or not (d_type, an lstat only for an unknown type or a possible mount point). With
// no helper running the pass never turns cold: there is no one to share the waits with.
//
// The calling thread lets window events run and watches for a cancel while it waits for
// the helpers; the helpers are stopped and joined on every way out of CountInParallel().
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "core/app/EventPump.h"

namespace kolvex {

// Which counted folders may have another file system mounted on them: every one when the
// mount table is unknown, else those whose path relative to the counted folder is listed.
struct MountFilter {
  bool tableKnown = false;
  const std::unordered_set<std::string>* below = nullptr;  // "a/b", relative

  // Whether mayBe() needs the folders' paths.
  bool needsPaths() const { return tableKnown && below && !below->empty(); }
  // folder: the listed folder's relative path with a trailing '/' (or empty for the top).
  bool mayBe(std::string_view folder, std::string_view name) const;
};

struct FolderCount {
  std::int64_t files = 0;
  std::int64_t dirs = 0;
  std::int64_t unreadable = 0;  // folders that could not be listed, wholly or to the end
};

struct CountThreads {
  unsigned helpers = 1;  // always working beside the calling thread; 0 with cold 0: alone
  unsigned cold = 8;     // more, only once the disk shows itself cold
  bool alwaysCold = false;  // for tests: look entries up from the start
};

// Counts below the open folder root (not owned) on device. False when cancelled was set;
// what a helper threw (bad_alloc) is thrown here once all are joined. A helper that
// cannot be started is done without.
bool CountInParallel(int root, dev_t device, const MountFilter& mounts, CountThreads threads,
                     SlicedPump& pump, const bool& cancelled, FolderCount& out);

}  // namespace kolvex
