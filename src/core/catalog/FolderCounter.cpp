#include "core/catalog/FolderCounter.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "core/catalog/DirectoryReader.h"

namespace kolvex {

bool MountFilter::mayBe(std::string_view folder, std::string_view name) const {
  if (!tableKnown) return true;
  if (!below || below->empty()) return false;
  std::string path(folder);
  path.append(name);
  return below->count(path) != 0;
}

namespace {

using Clock = std::chrono::steady_clock;

// Neither follows a link nor triggers an automounter on the entry itself.
constexpr int kLstatFlags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT;
// Opening a folder and reading the first part of its listing takes about this long or
// more only when the disk had to be read.
constexpr auto kSlowListing = std::chrono::microseconds(500);
// The disk counts as cold once this many listings were slow, and at least one in kColdShare
// of all (a busy machine can delay a few listings of a warm tree as much).
constexpr unsigned kSlowToBeCold = 4;
constexpr unsigned kColdShare = 8;
// How long the calling thread waits for the helpers before it looks at the window events.
constexpr auto kWaitStep = std::chrono::milliseconds(4);

// An open folder, closed once its last sub-folder still to be read has been opened.
struct OpenFolder {
  OpenFolder(int f, bool own, std::string p) : fd(f), owned(own), path(std::move(p)) {}
  ~OpenFolder() {
    if (owned) ::close(fd);
  }
  OpenFolder(const OpenFolder&) = delete;
  OpenFolder& operator=(const OpenFolder&) = delete;
  int fd;
  bool owned;
  std::string path;  // relative to the counted folder, with a trailing '/'; only when
                     // mount points are looked for
};

// A folder to read: name inside parent, or the counted folder itself (no parent).
struct Task {
  std::shared_ptr<OpenFolder> parent;
  std::string name;
};

class Counter {
 public:
  Counter(int root, dev_t device, const MountFilter& mounts, CountThreads threads,
          SlicedPump& pump, const bool& cancelled)
      : root_(root), device_(device), mounts_(mounts), threads_(threads), pump_(pump),
        cancelled_(cancelled), cold_(threads.alwaysCold) {}

  ~Counter() { stopAndJoin(); }

  bool run(FolderCount& out) {
    stack_.push_back(Task{});
    const unsigned total = threads_.helpers + threads_.cold;
    workers_.resize(total + 1);  // never resized again: the threads hold references
    for (unsigned i = 0; i < total; ++i) {
      try {
        helpers_.emplace_back(&Counter::helper, this, i >= threads_.helpers, &workers_[i + 1]);
      } catch (const std::system_error&) {
        break;  // done with fewer
      }
    }
    // Alone, the calling thread would only take on the lookups that nobody is ahead of,
    // and there is no one to share a slow disk's waits with. Only set with no other
    // thread running, so no helper reads it while it changes.
    if (helpers_.empty()) {
      alone_ = true;
      cold_ = false;
    }
    Worker& own = workers_[0];
    Task task;
    while (take(task, true)) {
      process(task, own, true);
      finish();
    }
    stopAndJoin();
    if (failure_) std::rethrow_exception(failure_);
    if (!finished_) return false;  // cancelled
    for (const Worker& w : workers_) {
      out.files += w.count.files;
      out.dirs += w.count.dirs;
      out.unreadable += w.count.unreadable;
    }
    return true;
  }

 private:
  struct Worker {
    std::vector<char> listing;
    std::vector<std::string> subs;
    FolderCount count;
  };

  void stopAndJoin() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    work_.notify_all();
    for (std::thread& t : helpers_)
      if (t.joinable()) t.join();
  }

  void helper(bool coldOnly, Worker* w) {
    try {
      if (coldOnly) {
        std::unique_lock lock(mutex_);
        work_.wait(lock, [&] { return stop_ || finished_ || cold_.load(); });
      }
      Task task;
      while (take(task, false)) {
        process(task, *w, false);
        finish();
      }
    } catch (...) {
      std::lock_guard lock(mutex_);
      if (!failure_) failure_ = std::current_exception();
      stop_ = true;
      work_.notify_all();
    }
  }

  // The next folder to read; false once everything is counted, or when stopping.
  bool take(Task& task, bool calling) {
    std::unique_lock lock(mutex_);
    for (;;) {
      if (stop_) return false;
      if (!stack_.empty()) {
        task = std::move(stack_.back());
        stack_.pop_back();
        ++busy_;
        return true;
      }
      if (busy_ == 0) {
        finished_ = true;
        work_.notify_all();
        return false;
      }
      ++idle_;
      if (!calling) {
        work_.wait(lock);
        --idle_;
        continue;
      }
      work_.wait_for(lock, kWaitStep);
      --idle_;
      lock.unlock();
      pump_.check();
      const bool cancel = cancelled_;
      lock.lock();
      if (cancel) stop_ = true;
    }
  }

  void finish() {
    std::lock_guard lock(mutex_);
    --busy_;
    if (busy_ == 0 && stack_.empty()) work_.notify_all();
  }

  void noteListing(Clock::duration took) {
    const unsigned folders = ++folders_;
    if (took < kSlowListing || cold_.load(std::memory_order_relaxed)) return;
    const unsigned slow = ++slow_;
    if (slow >= kSlowToBeCold && slow * kColdShare >= folders) {
      std::lock_guard lock(mutex_);
      cold_ = true;
      work_.notify_all();
    }
  }

  void process(Task& task, Worker& w, bool calling) {
    const Clock::time_point start = alone_ ? Clock::time_point() : Clock::now();
    std::shared_ptr<OpenFolder> self;
    if (!task.parent) {
      self = std::make_shared<OpenFolder>(root_, false, std::string());
    } else {
      const int fd = OpenSubFolder(task.parent->fd, task.name.c_str());
      if (fd < 0) {
        if (errno == ENOENT) return;  // gone since it was listed
        if (errno == ENOTDIR || errno == ELOOP) {
          ++w.count.files;  // replaced by a file or a link
        } else {
          ++w.count.dirs;
          ++w.count.unreadable;
        }
        return;
      }
      std::string path;
      if (mounts_.needsPaths()) path = task.parent->path + task.name + '/';
      self = std::make_shared<OpenFolder>(fd, true, std::move(path));
      ++w.count.dirs;
    }
    task.parent.reset();
    const int fd = self->fd;
    w.subs.clear();
    DirectoryReader reader(fd, w.listing);
    DirectoryEntry e;
    bool more = reader.next(e);
    if (!alone_) noteListing(Clock::now() - start);
    for (; more; more = reader.next(e)) {
      if (calling && cancelled_) {
        std::lock_guard lock(mutex_);
        stop_ = true;
      }
      if (stop_.load(std::memory_order_relaxed)) return;
      unsigned char type = e.type;
      bool enter = true;  // for a folder: whether what is inside belongs to this volume
      struct stat st {};
      if (type == DT_UNKNOWN || (type == DT_DIR && mounts_.mayBe(self->path, e.name))) {
        if (::fstatat(fd, e.name.data(), &st, kLstatFlags) != 0) {
          if (errno == ENOENT) continue;  // gone since it was listed
          enter = false;
        } else {
          type = S_ISDIR(st.st_mode) ? DT_DIR : DT_REG;
          // Another file system mounted here is counted as an empty folder.
          enter = st.st_dev == device_;
        }
      } else if (cold_.load(std::memory_order_relaxed)) {
        // Only to have the inode in the cache when the walk asks for it.
        (void)::fstatat(fd, e.name.data(), &st, kLstatFlags);
      }
      if (calling) pump_.tick();
      if (type == DT_DIR && enter) {
        w.subs.emplace_back(e.name);  // counted when it is opened
      } else if (type == DT_DIR) {
        ++w.count.dirs;
      } else {
        ++w.count.files;
      }
    }
    if (reader.failed()) ++w.count.unreadable;
    if (w.subs.empty()) return;
    std::lock_guard lock(mutex_);
    // The first sub-folder on top: taken in about the order of a walk, depth first.
    for (auto it = w.subs.rbegin(); it != w.subs.rend(); ++it)
      stack_.push_back(Task{self, std::move(*it)});
    if (idle_ > 0) work_.notify_all();
  }

  const int root_;
  const dev_t device_;
  const MountFilter& mounts_;
  const CountThreads threads_;
  SlicedPump& pump_;
  const bool& cancelled_;

  std::mutex mutex_;
  std::condition_variable work_;  // a folder to read, the end, a stop, a cold disk
  std::vector<Task> stack_;
  unsigned busy_ = 0;  // folders being read
  unsigned idle_ = 0;  // threads waiting for work
  bool finished_ = false;
  std::atomic<bool> stop_{false};
  std::atomic<bool> cold_;
  bool alone_ = false;  // no helper runs: never cold, listings not timed
  std::atomic<unsigned> folders_{0};
  std::atomic<unsigned> slow_{0};
  std::exception_ptr failure_;
  std::deque<Worker> workers_;
  std::vector<std::thread> helpers_;
};

}  // namespace

bool CountInParallel(int root, dev_t device, const MountFilter& mounts, CountThreads threads,
                     SlicedPump& pump, const bool& cancelled, FolderCount& out) {
  Counter counter(root, device, mounts, threads, pump, cancelled);
  return counter.run(out);
}

}  // namespace kolvex
