#include "core/persist/CatalogWriter.h"

#include <cstdint>

#include "core/persist/AtomicFileWriter.h"
#include "core/persist/ComponentWriter.h"
#include "core/persist/PersistError.h"

namespace kolvex {

namespace {

// Every so many bytes the kernel is asked to start writing the finished part out.
constexpr std::uint64_t kWriteBackEvery = 8u << 20;
// A record's usual size, to guess the header's EntranceRP before the walk: only the size
// of its integer code matters, and that changes at 128, 32 KiB and 2 GiB.
constexpr std::int64_t kUsualRecord = 160;

}  // namespace

CatalogWriter::CatalogWriter(std::string catalogPath, FileOps& ops)
    : ops_(ops), catalogPath_(std::move(catalogPath)) {
  out_ = std::make_unique<AtomicFileWriter>(catalogPath_, ops_);
}

CatalogWriter::~CatalogWriter() { abandon(); }

void CatalogWriter::abandon() {
  if (done_) return;
  done_ = true;
  out_->abandon();
}

void CatalogWriter::reserveHeader(const TSCCDInfo& likely) {
  if (done_ || recordCount_ > 0) throwWriteError(0);
  TSCCDInfo guess(likely);
  guess.EntranceRP =
      (static_cast<std::int64_t>(likely.TotalFiles) + likely.TotalDirectories + 1) * kUsualRecord;
  MemoryStream header;
  writeObject(header, guess);
  base_ = header.size();
  out_->stream().seek(base_);
}

std::int64_t CatalogWriter::write(const TSCFileObjectInfo& record) {
  if (done_) throwWriteError(0);
  FileStream& out = out_->stream();
  std::int64_t pos = position_;
  writeObject(out, record);
  const std::uint64_t end = out.position();
  position_ = static_cast<std::int64_t>(end - base_);
  ++recordCount_;
  if (end - writtenBack_ >= kWriteBackEvery) {
    out.startWriteBack(writtenBack_, end - writtenBack_);
    writtenBack_ = end;
  }
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
    MemoryStream bytes;
    writeObject(bytes, header);
    fitted_ = bytes.size() == base_;
    if (fitted_) {
      out_->stream().seek(0);
      out_->stream().write(bytes.data().data(), bytes.data().size());
      out_->commit();
    } else {
      // The header came out another size than the room left for it: the records are
      // copied behind it into a second file, inside the kernel.
      AtomicFileWriter fresh(catalogPath_, ops_);
      fresh.stream().write(bytes.data().data(), bytes.data().size());
      fresh.stream().appendFrom(out_->stream(), base_);
      fresh.commit();
    }
  } catch (...) {
    abandon();
    throw;
  }
  abandon();  // a file that has served, or the one whose records were copied
}

}  // namespace kolvex
