#pragma once
// A catalog file: a header stream, then one record stream per file and directory,
// linked by record positions counted from the first byte after the header.
#include <memory>
#include <string>

#include "core/persist/FileOps.h"
#include "core/persist/FileStream.h"
#include "core/persist/TSCCDInfo.h"
#include "core/persist/TSCFileObjectInfo.h"

namespace kolvex {

inline constexpr const char* kCatalogExtension = ".qel";

class TQELFile {
 public:
  explicit TQELFile(FileOps& ops = posixFileOps());

  std::string QELFileName;
  std::shared_ptr<TSCCDInfo> CDHeader = std::make_shared<TSCCDInfo>();
  std::shared_ptr<TSCFileObjectInfo> CurrFile = std::make_shared<TSCFileObjectInfo>();

  // For reading only; other readers and writers may hold the file at the same time.
  void OpenForRead();
  // Creates or empties the file for reading and writing.
  void CreateForWrite();
  void Rewind() { stream().seek(0); }
  void ClearCDHeader() { CDHeader->clear(); }
  void ClearCurrFile() { CurrFile->clear(); }
  void ReadCDHeader();
  void ReadCurrFile();
  void WriteCDHeader();
  void WriteCurrFile();
  // Closes the file, writing out what is buffered; the object may be opened again.
  void CloseFile();

  // Reads and writes the given stream instead of a file (catalogs held in memory).
  void attach(std::unique_ptr<Stream> stream) { file_ = std::move(stream); }
  bool isOpen() const { return file_ != nullptr; }
  Stream& stream();
  std::uint64_t position() { return stream().position(); }
  void seek(std::uint64_t pos) { stream().seek(pos); }

 private:
  FileOps& ops_;
  std::unique_ptr<Stream> file_;
};

}  // namespace kolvex
