#include "core/catalog/LookAhead.h"

#include <errno.h>
#include <dirent.h>
#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "core/catalog/DirectoryReader.h"

namespace kolvex {
namespace {

// A chunk that once held very long names gives the room back rather than keep it queued.
constexpr std::size_t kKeptText = 16 * 1024;
// How long the walk waits for a chunk before it looks at the window events again.
constexpr std::chrono::milliseconds kWaitStep{4};
// A thread that waits is woken only once the other one has made this much headway (or
// cannot go on), not for every chunk: each wake-up costs both threads system calls.
constexpr std::size_t kWakeEntries = 1024;
// With fewer entries waiting the walk is about to wait for the thread: the thread then
// leaves the lookups of entries that are no folders to the walk, which has time to spare.
constexpr std::size_t kShareBelow = 2048;

// Points names at the zero-terminated names laid one after another in text.
void indexNames(FolderChunk& c, std::size_t count) {
  const char* p = c.text.data();
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t length = std::strlen(p);
    c.names.emplace_back(p, length);
    p += length + 1;
  }
}

}  // namespace

LookAhead::LookAhead(int root, dev_t device) : root_(root), device_(device) {
  thread_ = std::thread(&LookAhead::run, this);
}

LookAhead::~LookAhead() { stop(); }

void LookAhead::stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  room_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void LookAhead::run() {
  std::exception_ptr failure;
  try {
    folder(root_, 0);
  } catch (...) {
    failure = std::current_exception();
  }
  std::lock_guard lock(mutex_);
  failure_ = failure;
  finished_ = true;
  ready_.notify_one();
}

FolderChunk* LookAhead::acquire() {
  FolderChunk* c;
  {
    std::lock_guard lock(mutex_);
    if (free_.empty()) {
      owned_.push_back(std::make_unique<FolderChunk>());
      return owned_.back().get();
    }
    c = free_.back();
    free_.pop_back();
  }
  c->text.clear();
  c->names.clear();
  c->types.clear();
  c->stats.clear();
  c->openError = c->listError = 0;
  c->last = false;
  return c;
}

bool LookAhead::push(FolderChunk* chunk) {
  std::unique_lock lock(mutex_);
  const std::size_t n = chunk->names.size();
  while (!stopping_ && (queue_.size() >= kQueued ||
                        (!queue_.empty() && queuedEntries_ + n > kQueuedEntries))) {
    if (consumerWaits_) ready_.notify_one();
    producerWaits_ = true;
    room_.wait(lock);
    producerWaits_ = false;
  }
  if (stopping_) {
    chunk->closeFolder();
    free_.push_back(chunk);
    return false;
  }
  queue_.push_back(chunk);
  queuedEntries_ += n;
  if (consumerWaits_ && queuedEntries_ >= kWakeEntries) ready_.notify_one();
  return true;
}

bool LookAhead::folder(int fd, std::size_t depth) {
  while (levels_.size() <= depth) levels_.emplace_back();
  Level& level = levels_[depth];  // a deque keeps it in place while deeper levels are added
  DirectoryReader reader(fd, level.listing);
  DirectoryEntry e;
  bool more = reader.next(e);
  for (;;) {
    FolderChunk* c = acquire();
    level.dirs.clear();
    if (more) {
      // Only entries of the buffer just read, as the walk's own batches.
      std::size_t count = 0;
      do {
        c->text.append(e.name) += '\0';
        c->types.push_back(e.type);
        ++count;
      } while (count < kChunk && reader.nextBuffered(e));
      indexNames(*c, count);
      c->stats.resize(count);
      if (walkWaitsSoon()) c->folder = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
      for (std::size_t i = 0; i < count; ++i) {
        if (stopping_.load(std::memory_order_relaxed)) {
          release(c);
          return false;
        }
        if (c->folder >= 0 && c->types[i] != DT_DIR && c->types[i] != DT_UNKNOWN) {
          c->stats[i].error = kNotLookedUp;  // the listing says: no folder to enter
          continue;
        }
        const EntryStat& st = c->stats[i] = lstatAt(fd, c->names[i].data());
        // The walk enters exactly these: found, a folder, on the scanned file system.
        if (st.error == 0 && S_ISDIR(st.mode) && st.device == device_)
          level.dirs.append(c->names[i]) += '\0';
      }
      more = reader.next(e);
    }
    if (!more) {
      c->last = true;
      c->listError = reader.failed();
    }
    if (!push(c)) return false;
    for (const char* name = level.dirs.data(); name < level.dirs.data() + level.dirs.size();
         name += std::strlen(name) + 1) {
      const int child = OpenSubFolder(fd, name);
      if (child < 0) {
        FolderChunk* failed = acquire();
        failed->openError = errno;
        failed->last = true;
        if (!push(failed)) return false;
        continue;
      }
      FdCloser closer(child);
      if (!folder(child, depth + 1)) return false;
    }
    if (!more) return true;
  }
}

FolderChunk* LookAhead::next(SlicedPump& pump, const bool& cancelled) {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (!queue_.empty()) {
      FolderChunk* c = queue_.front();
      queue_.pop_front();
      queuedEntries_ -= c->names.size();
      if (producerWaits_ && queuedEntries_ <= kQueuedEntries / 2 && queue_.size() <= kQueued / 2)
        room_.notify_one();
      return c;
    }
    if (failure_) std::rethrow_exception(failure_);
    // The thread ended without the chunk the walk expects: it never does unless stopped.
    if (finished_ || cancelled) return nullptr;
    consumerWaits_ = true;
    ready_.wait_for(lock, kWaitStep);
    consumerWaits_ = false;
    lock.unlock();
    pump.check();
    lock.lock();
  }
}

bool LookAhead::walkWaitsSoon() {
  std::lock_guard lock(mutex_);
  return queuedEntries_ < kShareBelow;
}

void FolderChunk::closeFolder() {
  if (folder >= 0) ::close(folder);
  folder = -1;
}

void LookAhead::release(FolderChunk* chunk) {
  chunk->closeFolder();
  if (chunk->text.capacity() > kKeptText) std::string().swap(chunk->text);
  std::lock_guard lock(mutex_);
  free_.push_back(chunk);
}

}  // namespace kolvex
