#pragma once
// The two passes over a folder tree: counting (so the progress bar has an exact maximum)
// and walking (one record per file and folder, written in post-order). Both read
// directories relative to open descriptors and never follow a symbolic link or enter
// another mounted file system: a link is catalogued as a file entry, a mount point as an
// empty folder, so the tree is one volume and cannot loop.
//
// The counting pass reads only listings: d_type says which entries are folders, and only
// a folder that is a mount point (or an entry of unknown type) costs an lstat. The walk
// looks up each folder's entries in batches (EntryStatter), or takes them from a thread
// that looks them up ahead (LookAhead), then handles them in listing order, so the records
// come out exactly as one lstat after another would write them.
#include <sys/stat.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/app/EventPump.h"
#include "core/app/IconProvider.h"
#include "core/catalog/EntryStatter.h"
#include "core/catalog/FolderCounter.h"
#include "core/catalog/LookAhead.h"
#include "core/catalog/LocalDayCount.h"
#include "core/catalog/ScanState.h"
#include "core/persist/CatalogWriter.h"
#include "core/search/TMask.h"

namespace kolvex {

class TreeScanner {
 public:
  // iconMask: the files whose full real path it matches get their icons; null for none.
  TreeScanner(ScanState& state, SlicedPump& pump, IconProvider& icons, const TMask* iconMask,
              StatMethod method = StatMethod::Ahead, ScanThreads threads = {});

  // Counts the folders and files below path (path itself not counted). A folder that
  // cannot be listed counts as empty. False when AddingCancelled stopped it.
  bool CountDirectory(const std::string& path, std::int64_t& dirs, std::int64_t& files);

  // Writes the records of everything below path and then path's own record (its position
  // goes to entrance). Entries that vanish after being listed are skipped; a folder that
  // cannot be listed is catalogued empty. False when AddingCancelled stopped it; write
  // errors are thrown (EStreamError).
  bool ScanDirectory(const std::string& path, CatalogWriter& writer, std::int64_t& entrance,
                     std::int64_t& filesBelow, std::int64_t& dirsBelow);

  // Folders met in the last pass that could not be listed (wholly or to the end).
  std::int64_t unreadableFolders() const { return unreadable_; }
  // True when the last walk looked entries up in batches in the kernel.
  bool walkedBatched() const { return statter_ && statter_->batched(); }
  // True when the last walk took its lookups from a thread running ahead.
  bool walkedAhead() const { return walkedAhead_; }

 private:
  struct Totals {
    std::int64_t files = 0;
    std::int64_t dirs = 0;
  };
  // Up to kBatch entries of one folder from one buffer of its listing, with their lstat.
  struct Batch {
    std::vector<std::string_view> names;
    std::vector<unsigned char> types;
    std::vector<EntryStat> stats;
  };
  static constexpr std::size_t kBatch = 256;
  bool fill(class DirectoryReader& reader, Batch& batch);
  // One folder's entries below it: from its open descriptor fd, or from the look-ahead
  // thread starting at its first chunk, or none (a folder that could not be opened).
  bool walk(int fd, FolderChunk* first, std::size_t depth, std::size_t parentPathLength,
            std::string_view ownName, std::int32_t ownAttributes, Totals& below,
            std::int64_t& ownPosition);
  struct Counts {
    Totals sub;  // below the sub-folders
    std::int64_t files = 0, dirs = 0;
  };
  // Writes the records of one batch of the folder fd. fromAhead: a chunk of the thread
  // ahead (fd is then -1 unless it left lookups to the walk).
  bool entries(int fd, std::size_t depth, std::span<const std::string_view> names,
               std::span<const unsigned char> types, std::span<const EntryStat> stats,
               Counts& counts, bool fromAhead);
  std::unique_ptr<LookAhead> startLookAhead(int fd);
  void writeFile(std::string_view name, const EntryStat& st, bool known);
  void advance();
  std::vector<char>& bufferAt(std::size_t depth);

  ScanState& state_;
  SlicedPump& pump_;
  IconProvider& icons_;
  const TMask* iconMask_;
  CatalogWriter* writer_ = nullptr;
  LocalDayCount dayCount_;
  dev_t device_ = 0;
  std::deque<std::vector<char>> buffers_;  // one per depth; a deque keeps them in place
  std::deque<Batch> batches_;              // one per depth, the same way
  StatMethod method_;
  std::unique_ptr<EntryStatter> statter_;
  LookAhead* ahead_ = nullptr;  // during a walk that looks up ahead
  bool walkedAhead_ = false;
  unsigned cores_;
  ScanThreads threads_;
  // Mount points inside the counted folder, relative to it. Without a mount table every
  // folder is looked at.
  std::unordered_set<std::string> mountsBelow_;
  MountFilter mounts_;
  std::string storedPath_;                 // "X:\" + the current folder below the base + "\"
  std::string realPath_;  // the current folder's real path + "/", kept when icons are asked
  TSCFileObjectInfo record_;
  std::int64_t unreadable_ = 0;
};

}  // namespace kolvex
