#pragma once
// A second thread that lists folders and looks their entries up ahead of the walk, in
// exactly the order the walk will want them: depth first, a folder's entries in listing
// order, each sub-folder's whole subtree right after the part of its parent's listing
// that names it. The walk then only encodes and writes, while the next lookups (and, with
// a cold cache, the disk reads they wait for) already run on the other core.
//
// Results come in chunks of at most kChunk entries of one folder. The thread enters a
// sub-folder exactly when the walk would: its lookup succeeded, it is a folder and it lies
// on the scanned file system. The first chunk of every folder entered tells whether
// opening it failed (and with which errno); the last one whether its listing broke off.
// When the walk is about to catch up with the thread, the thread leaves the lookups of
// entries whose listing says they are no folders to the walk (it needs only those of the
// folders to know where to go), so the two share the work when the lookups are the
// larger part of it.
// At most kQueued chunks (and kQueuedEntries entries) wait at a time, so memory stays flat
// however large the tree.
#include <sys/types.h>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/app/EventPump.h"
#include "core/catalog/EntryStatter.h"

namespace kolvex {

// In FolderChunk::stats: left for the walk to look up, relative to FolderChunk::folder.
constexpr int kNotLookedUp = -1;

struct FolderChunk {
  FolderChunk() = default;
  ~FolderChunk() { closeFolder(); }
  FolderChunk(const FolderChunk&) = delete;
  FolderChunk& operator=(const FolderChunk&) = delete;
  void closeFolder();

  std::string text;                      // the names, each followed by a zero byte
  std::vector<std::string_view> names;   // into text
  std::vector<unsigned char> types;      // d_type of each
  std::vector<EntryStat> stats;          // lstat of each
  int openError = 0;  // first chunk of a folder: errno of opening it, 0 when it opened
  int listError = 0;  // last chunk: errno when the listing broke off before its end
  bool last = false;  // no more chunks of this folder follow
  // The folder, open, when some entries were left for the walk (kNotLookedUp), else -1.
  int folder = -1;
};

class LookAhead {
 public:
  static constexpr std::size_t kChunk = 256;
  static constexpr std::size_t kQueued = 512;
  static constexpr std::size_t kQueuedEntries = 16384;

  // Starts the thread on the open folder root (not owned; it must stay open until this is
  // destroyed). Entries of other devices than device are not entered.
  LookAhead(int root, dev_t device);
  // Stops the thread and waits for it, wherever it is.
  ~LookAhead();
  LookAhead(const LookAhead&) = delete;
  LookAhead& operator=(const LookAhead&) = delete;

  // The next chunk in walk order, waiting for it when needed while window events run
  // through pump. Null once cancelled is set. What the thread threw is thrown again here.
  // The chunk stays valid until it is handed back with release().
  FolderChunk* next(SlicedPump& pump, const bool& cancelled);
  void release(FolderChunk* chunk);

 private:
  void run();
  bool folder(int fd, std::size_t depth);
  FolderChunk* acquire();
  bool walkWaitsSoon();
  bool push(FolderChunk* chunk);
  void stop();

  int root_;
  dev_t device_;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::condition_variable ready_;  // a chunk was queued, or the thread ended
  std::condition_variable room_;   // room in the queue, or stopping
  std::deque<FolderChunk*> queue_;
  std::size_t queuedEntries_ = 0;
  std::vector<FolderChunk*> free_;
  std::vector<std::unique_ptr<FolderChunk>> owned_;
  bool finished_ = false;
  bool consumerWaits_ = false;
  bool producerWaits_ = false;
  std::exception_ptr failure_;
  // The thread's own: one listing buffer and one list of sub-folders to enter per depth.
  struct Level {
    std::vector<char> listing;
    std::string dirs;  // names of the sub-folders of the current chunk, zero-terminated
  };
  std::deque<Level> levels_;
  std::thread thread_;
};

}  // namespace kolvex
