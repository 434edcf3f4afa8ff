#include "core/persist/TQELFile.h"

#include "core/persist/ComponentReader.h"
#include "core/persist/ComponentWriter.h"
#include "core/persist/PersistError.h"

namespace kolvex {

TQELFile::TQELFile(FileOps& ops) : ops_(ops) {}

void TQELFile::OpenForRead() {
  file_.reset();
  file_ = std::make_unique<FileStream>(QELFileName, FileStream::Mode::Read, ops_);
}

void TQELFile::CreateForWrite() {
  file_.reset();
  file_ = std::make_unique<FileStream>(QELFileName, FileStream::Mode::Create, ops_);
}

Stream& TQELFile::stream() {
  if (!file_) throwReadError();
  return *file_;
}

void TQELFile::ReadCDHeader() {
  ClearCDHeader();
  readObject(stream(), *CDHeader);
}

void TQELFile::ReadCurrFile() {
  ClearCurrFile();
  readObject(stream(), *CurrFile);
}

void TQELFile::WriteCDHeader() { writeObject(stream(), *CDHeader); }

void TQELFile::WriteCurrFile() { writeObject(stream(), *CurrFile); }

void TQELFile::CloseFile() {
  if (!file_) return;
  std::unique_ptr<Stream> f = std::move(file_);
  f->close();
}

}  // namespace kolvex
