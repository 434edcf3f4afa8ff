#pragma once
// Reads file records one after the other for the search, which must test millions of
// them per second: the usual shape of a record is decoded straight from the read
// window without allocating; anything else (other codes, other spellings, texts to
// convert) goes through the general reader, so results and error messages are the same.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/persist/Stream.h"
#include "core/persist/TSCFileObjectInfo.h"

namespace kolvex {

// The fields of a file record that the search needs. The texts are UTF-8 and stay valid
// until the next record is read.
struct RecordView {
  std::string_view FileName;
  std::string_view FilePath;
  double CreateDateTime = 0.0;
  std::int32_t Attribute = 0;
  std::int64_t BrotherRP = 0, ChildFileRP = 0, ChildDirRP = 0, FileSize = 0;
  std::int32_t FilesUnderMe = 0, DirsUnderMe = 0, FilesOnlyUM = 0, DirsOnlyUM = 0;
};

// The scanned folder's own record has no name; it is tested (and listed) under its path.
inline std::string_view NameUnderTest(const RecordView& r) {
  return r.FileName.empty() ? r.FilePath : r.FileName;
}

class RecordScanner {
 public:
  // in stands at the first record to read.
  explicit RecordScanner(Stream& in) : in_(in) {}
  // Reads the next record; throws the reader's EStreamError for a damaged one.
  const RecordView& next();
  // How many records took the general reader's path.
  std::uint64_t slowRecords() const { return slow_; }

 private:
  // Decodes one record from p; returns its length, or 0 when the general reader must take
  // it (or when the window does not hold all of it).
  std::size_t decode(const std::uint8_t* p, std::size_t avail);
  void decodeSlowly();

  Stream& in_;
  RecordView view_;
  TSCFileObjectInfo record_;  // for the general reader
  std::uint64_t slow_ = 0;
  bool incomplete_ = false;  // the last decode ran out of window
  std::string nameBuf_, pathBuf_;
};

}  // namespace kolvex
