#include "core/catalog/TreeScanner.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>
#include <thread>

#include "core/catalog/DirectoryReader.h"
#include "core/catalog/FileAttributes.h"
#include "core/catalog/IconImage.h"
#include "core/catalog/MountPointsBelow.h"

namespace kolvex {
namespace {

// Names from getdents64 end with a zero byte inside the buffer, so they can be handed to
// the system calls as they are.
const char* cName(std::string_view name) { return name.data(); }

std::string_view lastComponent(const std::string& path) {
  std::string_view p = path;
  while (p.size() > 1 && p.back() == '/') p.remove_suffix(1);
  auto slash = p.rfind('/');
  return slash == std::string_view::npos ? p : p.substr(slash + 1);
}

}  // namespace

TreeScanner::TreeScanner(ScanState& state, SlicedPump& pump, IconProvider& icons,
                         const TMask* iconMask, StatMethod method, ScanThreads threads)
    : state_(state), pump_(pump), icons_(icons), iconMask_(iconMask), method_(method),
      cores_(threads.cores ? threads.cores : std::max(1u, std::thread::hardware_concurrency())),
      threads_(threads) {}

std::vector<char>& TreeScanner::bufferAt(std::size_t depth) {
  while (buffers_.size() <= depth) buffers_.emplace_back();
  return buffers_[depth];
}

bool TreeScanner::CountDirectory(const std::string& path, std::int64_t& dirs, std::int64_t& files) {
  unreadable_ = 0;
  auto mounts = MountPointsBelow(path);
  mountsBelow_ = mounts ? std::move(*mounts) : std::unordered_set<std::string>{};
  mounts_ = MountFilter{mounts.has_value(), &mountsBelow_};
  int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0) {
    if (fd >= 0) ::close(fd);
    ++unreadable_;
    dirs = files = 0;
    return true;
  }
  FdCloser closer(fd);
  device_ = st.st_dev;
  // The helpers, one per further core (and more for a cold disk), are joined before this
  // returns, whichever way. With one core the calling thread counts alone.
  CountThreads threads{0, 0, false};
  if (cores_ >= 2 && threads_.parallelCount)
    threads = {std::min(cores_ - 1, 3u), threads_.cold, threads_.alwaysCold};
  FolderCount counted;
  const bool ok =
      CountInParallel(fd, device_, mounts_, threads, pump_, state_.AddingCancelled, counted);
  unreadable_ += counted.unreadable;
  dirs = counted.dirs;
  files = counted.files;
  return ok;
}

void TreeScanner::advance() {
  ++state_.AddedCount;
  pump_.tick();
}

bool TreeScanner::ScanDirectory(const std::string& path, CatalogWriter& writer,
                                std::int64_t& entrance, std::int64_t& filesBelow,
                                std::int64_t& dirsBelow) {
  unreadable_ = 0;
  writer_ = &writer;
  ahead_ = nullptr;
  storedPath_ = "X:\\";
  realPath_ = path;
  if (realPath_.empty() || realPath_.back() != '/') realPath_ += '/';
  std::int32_t attributes = -1;
  struct stat st {};
  int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
  if (fd >= 0 && ::fstat(fd, &st) == 0) {
    attributes = AttributesOf(st.st_mode, lastComponent(path));
    device_ = st.st_dev;
  } else if (::stat(path.c_str(), &st) == 0) {
    attributes = AttributesOf(st.st_mode, lastComponent(path));
  }
  if (fd < 0) ++unreadable_;
  FdCloser closer(fd);
  // Stopped and joined before the folder closes, whichever way the walk ends.
  std::unique_ptr<LookAhead> ahead = startLookAhead(fd);
  walkedAhead_ = ahead != nullptr;
  // With the thread, only for a folder that appears where the thread listed none.
  statter_ = makeEntryStatter(ahead                           ? StatMethod::OneByOne
                              : method_ == StatMethod::Ahead ? StatMethod::Adaptive
                                                             : method_,
                              pump_, state_.AddingCancelled);
  FolderChunk* first = nullptr;
  if (ahead) {
    ahead_ = ahead.get();
    first = ahead->next(pump_, state_.AddingCancelled);
    if (!first) return false;
  }
  Totals below;
  std::int64_t own = kNoRecord;
  const bool walked = walk(fd, first, 0, storedPath_.size(), {}, attributes, below, own);
  ahead_ = nullptr;
  if (!walked) return false;
  entrance = own;
  filesBelow += below.files;
  dirsBelow += below.dirs;
  return true;
}

namespace {
std::int32_t clamped(std::int64_t n) {
  return n > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(n);
}
}  // namespace

std::unique_ptr<LookAhead> TreeScanner::startLookAhead(int fd) {
  // With one core the thread would only take turns with the walk.
  if (method_ != StatMethod::Ahead || fd < 0 || cores_ < 2)
    return nullptr;
  try {
    return std::make_unique<LookAhead>(fd, device_);
  } catch (const std::system_error&) {
    return nullptr;  // no thread to be had: the walk looks up on its own
  }
}

namespace {
// Hands a chunk back to the look-ahead thread on every way out of the walk of its folder.
class ChunkReturn {
 public:
  ChunkReturn(LookAhead& ahead, FolderChunk* chunk) : ahead_(ahead), chunk_(chunk) {}
  ~ChunkReturn() { ahead_.release(chunk_); }
  ChunkReturn(const ChunkReturn&) = delete;
  ChunkReturn& operator=(const ChunkReturn&) = delete;

 private:
  LookAhead& ahead_;
  FolderChunk* chunk_;
};
}  // namespace

bool TreeScanner::walk(int fd, FolderChunk* first, std::size_t depth,
                       std::size_t parentPathLength, std::string_view ownName,
                       std::int32_t ownAttributes, Totals& below, std::int64_t& ownPosition) {
  writer_->enterDirectory();
  Counts counts;
  if (first) {
    for (FolderChunk* chunk = first;;) {
      ChunkReturn back(*ahead_, chunk);
      if (!entries(chunk->folder, depth, chunk->names, chunk->types, chunk->stats, counts, true))
        return false;
      if (chunk->last) {
        if (chunk->listError) ++unreadable_;
        break;
      }
      chunk = ahead_->next(pump_, state_.AddingCancelled);
      if (!chunk) return false;
    }
  } else if (fd >= 0) {
    DirectoryReader reader(fd, bufferAt(depth));
    while (batches_.size() <= depth) batches_.emplace_back();
    Batch& batch = batches_[depth];
    while (fill(reader, batch)) {
      statter_->lookUp(fd, batch.names, batch.stats);
      if (!entries(fd, depth, batch.names, batch.types, batch.stats, counts, false)) return false;
    }
    if (reader.failed()) ++unreadable_;
  }
  const Totals& sub = counts.sub;
  record_.clear();
  record_.FileName.assign(ownName);
  record_.FilePath.assign(storedPath_, 0, parentPathLength);
  record_.Attribute = ownAttributes;
  record_.FilesUnderMe = clamped(counts.files + sub.files);
  record_.DirsUnderMe = clamped(counts.dirs + sub.dirs);
  record_.FilesOnlyUM = clamped(counts.files);
  record_.DirsOnlyUM = clamped(counts.dirs);
  ownPosition = writer_->leaveDirectory(record_);
  below.files += counts.files + sub.files;
  below.dirs += counts.dirs + sub.dirs;
  return true;
}

bool TreeScanner::entries(int fd, std::size_t depth, std::span<const std::string_view> names,
                          std::span<const unsigned char> types, std::span<const EntryStat> stats,
                          Counts& counts, bool fromAhead) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (state_.AddingCancelled) return false;
    const std::string_view name = names[i];
    EntryStat st = stats[i];
    // Left by the thread ahead: no folder it entered. Should it have become one since it
    // was listed, the walk goes through it on its own, as without the thread.
    const bool own = !fromAhead || st.error == kNotLookedUp;
    if (st.error == kNotLookedUp) st = lstatAt(fd, cName(name));
    const bool known = st.error == 0;
    if (!known) {
      if (st.error == ENOENT) continue;  // gone since it was listed
      // Listed but not searchable (a folder readable without execute permission):
      // what the listing says is all there is.
      st.mode = DTTOIF(types[i]) | S_IWUSR;
    }
    if (!S_ISDIR(st.mode)) {
      writeFile(name, st, known);
      advance();
      ++counts.files;
      continue;
    }
    const std::size_t pathLength = storedPath_.size();
    const std::size_t realLength = realPath_.size();
    int child = -1;
    FolderChunk* childFirst = nullptr;
    if (!known) {
      ++unreadable_;
    } else if (st.device == device_) {  // else a mount point: an empty folder
      int error = 0;
      if (!own) {
        childFirst = ahead_->next(pump_, state_.AddingCancelled);
        if (!childFirst) return false;
        error = childFirst->openError;
        if (error) {
          ahead_->release(childFirst);
          childFirst = nullptr;
        }
      } else {
        child = OpenSubFolder(fd, cName(name));
        if (child < 0) error = errno;
      }
      if (error == ENOENT) continue;  // gone since it was listed
      if (error) ++unreadable_;
    }
    FdCloser closer(child);
    storedPath_.append(name);
    storedPath_ += '\\';
    if (iconMask_) {
      realPath_.append(name);
      realPath_ += '/';
    }
    std::int64_t position;
    if (!walk(child, childFirst, depth + 1, pathLength, name, AttributesOf(st.mode, name),
              counts.sub, position))
      return false;
    storedPath_.resize(pathLength);
    realPath_.resize(realLength);
    advance();
    ++counts.dirs;
  }
  return true;
}

bool TreeScanner::fill(DirectoryReader& reader, Batch& batch) {
  batch.names.clear();
  batch.types.clear();
  DirectoryEntry e;
  if (!reader.next(e)) return false;
  // Only entries of the buffer just read, so their names stay valid together.
  do {
    batch.names.push_back(e.name);
    batch.types.push_back(e.type);
  } while (batch.names.size() < kBatch && reader.nextBuffered(e));
  batch.stats.resize(batch.names.size());
  return true;
}

void TreeScanner::writeFile(std::string_view name, const EntryStat& st, bool known) {
  record_.clear();
  record_.FileName.assign(name);
  record_.FilePath = storedPath_;
  record_.Attribute = AttributesOf(st.mode, name);
  record_.FileSize = st.size;
  // Nothing known about the time: left empty rather than made up.
  record_.CreateDateTime = known ? dayCount_(st.mtime) : 0.0;
  if (iconMask_) {
    const std::size_t length = realPath_.size();
    realPath_.append(name);
    if (iconMask_->matches(realPath_)) {
      icons_.iconsOf(realPath_, *record_.EXEIconSmall, *record_.EXEIconLarge);
      DropUnreadableIcon(*record_.EXEIconSmall);
      DropUnreadableIcon(*record_.EXEIconLarge);
    }
    realPath_.resize(length);
  }
  writer_->addFile(record_);
}

}  // namespace kolvex
