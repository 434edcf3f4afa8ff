#pragma once
// A catalog file opened once for the index: what fstat says about it, its header bytes
// for its identity and for the header a search shows with its hits, and a stream for the
// catalog reader, all from the same descriptor, so the index is checked against exactly
// the file whose records are then read.
#include <sys/stat.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/index/IndexFormat.h"
#include "core/persist/Stream.h"
#include "core/persist/TSCCDInfo.h"

namespace kolvex::index {

class CatalogFile {
 public:
  CatalogFile() = default;
  ~CatalogFile();
  CatalogFile(const CatalogFile&) = delete;
  CatalogFile& operator=(const CatalogFile&) = delete;

  // False when the path is not a regular file or cannot be opened.
  bool open(const std::string& path);
  // The file's identity with its first record at recordBase; nothing when the file is
  // shorter or cannot be read.
  std::optional<CatalogIdentity> identity(std::uint64_t recordBase) const;
  // The catalog's header, decoded from the bytes the last identity() read (so from the
  // file an index matching that identity was made of, which was read whole then): no
  // further read of the file. Throws the reader's EStreamError when they hold none.
  TSCCDInfo header() const;
  // A stream over the file for the catalog reader (its header, for the hits' catalog
  // fields; the records come from the index).
  std::unique_ptr<Stream> stream() const;

 private:
  std::string path_;
  int fd_ = -1;
  struct stat status_ {};
  mutable std::string headerBytes_;  // from the last identity()
};

}  // namespace kolvex::index
