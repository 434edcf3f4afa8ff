#pragma once
// Writes a new catalog. Records are added in post-order (a directory after everything
// inside it); the writer links each one to the records written before it, so every link
// points backwards, and counts them, so every folder's counters and the header's totals
// say what the file holds. commit() puts the header in front of the records and replaces the
// catalog atomically; until then, and after any failure, the old catalog is untouched
// and no temporary file is left behind (TempFile: none even after a crash, where the file
// system has unnamed files).
//
// The records are written where they will stay: into the finished file's temporary file
// beside the catalog (AtomicFileWriter), behind room left for the header (reserveHeader).
// When the header fits that room at the end it is written in front and nothing is
// copied; otherwise the records are copied once, inside the kernel, behind it in a second
// file. The kernel is asked to write finished parts out while the walk goes on, so the
// one fsync at the end finds little left to do.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/persist/AtomicFileWriter.h"
#include "core/persist/FileOps.h"
#include "core/persist/TQELFile.h"

namespace kolvex {

class CatalogWriter {
 public:
  // Creates the finished file's temporary file beside the catalog (a TempFile).
  explicit CatalogWriter(std::string catalogPath, FileOps& ops = posixFileOps());
  ~CatalogWriter();
  CatalogWriter(const CatalogWriter&) = delete;
  CatalogWriter& operator=(const CatalogWriter&) = delete;

  // Leaves room for a header like likely (its totals as counted; EntranceRP is guessed
  // from them) in front of the records. Only before the first record.
  void reserveHeader(const TSCCDInfo& likely);
  // Starts a directory: the files and directories added until its leaveDirectory() are
  // its entries. The scanned folder itself is the outermost directory.
  void enterDirectory();
  // Writes a file record of the current directory: BrotherRP is the file written before
  // it there (-1 for the first), ChildFileRP and ChildDirRP 0. Returns its position.
  std::int64_t addFile(TSCFileObjectInfo& record);
  // Writes the current directory's own record: ChildFileRP and ChildDirRP are its last
  // file and last sub-directory (-1 when none), BrotherRP the directory written before it
  // in its parent (-1 for the first, and for the scanned folder); FilesOnlyUM, DirsOnlyUM,
  // FilesUnderMe and DirsUnderMe count what was added inside it. Returns its position.
  std::int64_t leaveDirectory(TSCFileObjectInfo& record);
  // The records file's length: the position the next record gets.
  std::int64_t position() const { return position_; }
  std::int64_t recordCount() const { return recordCount_; }
  // True when the last commit() wrote the header into the room left for it.
  bool headerFitted() const { return fitted_; }

  // Sets EntranceRP to the last directory record written (the scanned folder) and the
  // totals to what it holds, puts the header in front of the records and renames the
  // file over the catalog. Throws EStreamError; on failure the old catalog stays as it
  // was.
  void commit(TSCCDInfo& header);
  // Gives up: removes the temporary files. Called by the destructor when not committed.
  void abandon();

 private:
  struct Frame {
    std::int64_t lastFile = kNoRecord;
    std::int64_t lastDir = kNoRecord;
    std::int64_t files = 0, dirs = 0;             // directly inside
    std::int64_t filesBelow = 0, dirsBelow = 0;  // in its sub-directories' subtrees
  };
  std::int64_t write(const TSCFileObjectInfo& record);

  FileOps& ops_;
  std::string catalogPath_;
  std::unique_ptr<AtomicFileWriter> out_;
  std::uint64_t base_ = 0;         // where the records start in out_
  std::uint64_t writtenBack_ = 0;  // what the kernel was asked to write out so far
  std::vector<Frame> frames_;
  std::int64_t position_ = 0;
  std::int64_t recordCount_ = 0;
  std::int64_t lastRoot_ = kNoRecord;
  std::int32_t rootFiles_ = 0, rootDirs_ = 0;
  bool done_ = false;
  bool fitted_ = false;
};

}  // namespace kolvex
