#pragma once
// A catalog file opened once for the index: what fstat says about it, its header bytes
// for its identity, and a stream for the catalog reader, all from the same descriptor,
// so the index is checked against exactly the file whose records are then read.
#include <sys/stat.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/index/IndexFormat.h"
#include "core/persist/Stream.h"

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
  // A stream over the file for the catalog reader (its header, for the hits' catalog
  // fields; the records come from the index).
  std::unique_ptr<Stream> stream() const;

 private:
  std::string path_;
  int fd_ = -1;
  struct stat status_ {};
};

}  // namespace kolvex::index
