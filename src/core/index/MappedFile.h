#pragma once
// A regular file mapped read-only, with what fstat said about it when it was opened.
// Pages are read on first touch, so a search's memory grows with what it reads, not
// with the size of the file. Files here are only ever replaced by rename, so a mapping
// keeps showing the file it was made from.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace kolvex::index {

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;

  // False when the path is not a regular file or cannot be opened or mapped.
  bool open(const std::string& path);
  void close();

  const unsigned char* data() const { return data_; }
  std::size_t size() const { return size_; }
  const struct stat& status() const { return status_; }

 private:
  const unsigned char* data_ = nullptr;
  std::size_t size_ = 0;
  struct stat status_ {};
};

}  // namespace kolvex::index
