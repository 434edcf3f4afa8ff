#include "core/persist/CatalogWriter.h"

#include <cstdint>

#include "core/persist/AtomicFileWriter.h"
#include "core/persist/ComponentWriter.h"
#include "core/persist/PersistError.h"

namespace kolvex {

CatalogWriter::CatalogWriter(std::string catalogPath, FileOps& ops)
    : ops_(ops), catalogPath_(std::move(catalogPath)) {
  records_ = createTempFile(ops_, tempDirectory());
  recordsFile_ = std::make_unique<FileStream>(records_.fd, records_.path, ops_);
}

CatalogWriter::~CatalogWriter() { abandon(); }

void CatalogWriter::abandon() {
  if (done_) return;
  done_ = true;
  try {
    recordsFile_->close();
  } catch (const EStreamError&) {
    // Being thrown away.
  }
  if (!records_.path.empty()) removeFile(ops_, records_.path);
}

std::int64_t CatalogWriter::write(const TSCFileObjectInfo& record) {
  if (done_) throwWriteError(0);
  std::int64_t pos = position_;
  writeObject(*recordsFile_, record);
  position_ = static_cast<std::int64_t>(recordsFile_->position());
  ++recordCount_;
  return pos;
}

void CatalogWriter::enterDirectory() { frames_.emplace_back(); }

std::int64_t CatalogWriter::addFile(TSCFileObjectInfo& record) {
  if (frames_.empty()) enterDirectory();
  Frame& f = frames_.back();
  record.BrotherRP = f.lastFile;
  record.ChildFileRP = 0;
  record.ChildDirRP = 0;
  f.lastFile = write(record);
  ++f.files;
  return f.lastFile;
}

std::int64_t CatalogWriter::leaveDirectory(TSCFileObjectInfo& record) {
  if (frames_.empty()) enterDirectory();
  Frame own = frames_.back();
  frames_.pop_back();
  record.ChildFileRP = own.lastFile;
  record.ChildDirRP = own.lastDir;
  record.BrotherRP = frames_.empty() ? kNoRecord : frames_.back().lastDir;
  const std::int64_t filesUnder = own.files + own.filesBelow, dirsUnder = own.dirs + own.dirsBelow;
  if (filesUnder > INT32_MAX || dirsUnder > INT32_MAX)
    throw EStreamError("A folder holds too many entries for one catalog");
  record.FilesOnlyUM = static_cast<std::int32_t>(own.files);
  record.DirsOnlyUM = static_cast<std::int32_t>(own.dirs);
  record.FilesUnderMe = static_cast<std::int32_t>(filesUnder);
  record.DirsUnderMe = static_cast<std::int32_t>(dirsUnder);
  std::int64_t pos = write(record);
  if (frames_.empty()) {
    lastRoot_ = pos;
    rootFiles_ = record.FilesUnderMe;
    rootDirs_ = record.DirsUnderMe;
  } else {
    Frame& parent = frames_.back();
    parent.lastDir = pos;
    ++parent.dirs;
    parent.filesBelow += filesUnder;
    parent.dirsBelow += dirsUnder;
  }
  return pos;
}

void CatalogWriter::commit(TSCCDInfo& header) {
  if (done_) throwWriteError(0);
  try {
    header.EntranceRP = lastRoot_ == kNoRecord ? 0 : lastRoot_;
    header.TotalFiles = rootFiles_;
    header.TotalDirectories = rootDirs_;
    AtomicFileWriter out(catalogPath_, ops_);
    writeObject(out.stream(), header);
    out.stream().appendFrom(*recordsFile_);
    out.commit();
  } catch (...) {
    abandon();
    throw;
  }
  abandon();  // the records file has served
}

}  // namespace kolvex
