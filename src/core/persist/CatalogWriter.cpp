#include "core/persist/CatalogWriter.h"

#include "core/persist/AtomicFileWriter.h"
#include "core/persist/ComponentWriter.h"
#include "core/persist/PersistError.h"

namespace kolvex {

CatalogWriter::CatalogWriter(std::string catalogPath, FileOps& ops)
    : ops_(ops), catalogPath_(std::move(catalogPath)) {
  int fd = createUniqueFile(ops_, tempDirectory(), "QE_", ".tmp", recordsPath_);
  records_file_ = std::make_unique<FileStream>(fd, recordsPath_, ops_);
}

CatalogWriter::~CatalogWriter() { abandon(); }

void CatalogWriter::abandon() {
  if (done_) return;
  done_ = true;
  try {
    records_file_->close();
  } catch (const EStreamError&) {
    // Being thrown away.
  }
  removeFile(ops_, recordsPath_);
}

std::int64_t CatalogWriter::write(const TSCFileObjectInfo& record) {
  if (done_) throw EStreamError(msg::kStreamWriteError);
  std::int64_t pos = position_;
  writeObject(*records_file_, record);
  position_ = static_cast<std::int64_t>(records_file_->position());
  ++records_;
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
  return f.lastFile;
}

std::int64_t CatalogWriter::leaveDirectory(TSCFileObjectInfo& record) {
  if (frames_.empty()) enterDirectory();
  Frame own = frames_.back();
  frames_.pop_back();
  record.ChildFileRP = own.lastFile;
  record.ChildDirRP = own.lastDir;
  record.BrotherRP = frames_.empty() ? kNoRecord : frames_.back().lastDir;
  std::int64_t pos = write(record);
  if (frames_.empty())
    lastRoot_ = pos;
  else
    frames_.back().lastDir = pos;
  return pos;
}

void CatalogWriter::commit(TSCCDInfo& header) {
  if (done_) throw EStreamError(msg::kStreamWriteError);
  try {
    header.EntranceRP = lastRoot_ == kNoRecord ? 0 : lastRoot_;
    AtomicFileWriter out(catalogPath_, ops_);
    writeObject(out.stream(), header);
    // Append the records file as it is.
    records_file_->flush();
    records_file_->seek(0);
    std::uint64_t left = records_file_->size();
    while (left > 0) {
      std::size_t chunk = left < FileStream::kBlock ? static_cast<std::size_t>(left)
                                                    : FileStream::kBlock;
      out.stream().write(records_file_->take(chunk), chunk);
      left -= chunk;
    }
    out.commit();
  } catch (...) {
    abandon();
    throw;
  }
  abandon();  // the records file has served
}

}  // namespace kolvex
