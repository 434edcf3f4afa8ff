#pragma once
// Reads the entries of an open directory in the order the file system keeps them, many at
// a time through getdents64 into a caller's buffer, so a large tree costs few system calls
// and no allocation per entry. "." and ".." are left out.
#include <cstdint>
#include <string_view>
#include <vector>

namespace kolvex {

// Opens the folder name inside the open folder parent for listing, never through a link
// (-1 with errno when it cannot: ENOENT gone, ENOTDIR/ELOOP no longer a folder, ...).
int OpenSubFolder(int parent, const char* name);

// Closes a descriptor (when there is one) on every way out of a scope.
class FdCloser {
 public:
  explicit FdCloser(int fd) : fd_(fd) {}
  ~FdCloser();
  FdCloser(const FdCloser&) = delete;
  FdCloser& operator=(const FdCloser&) = delete;

 private:
  int fd_;
};

struct DirectoryEntry {
  std::string_view name;  // valid until the next call of next()
  unsigned char type;     // DT_DIR, DT_REG, DT_LNK, ..., DT_UNKNOWN
};

class DirectoryReader {
 public:
  static constexpr std::size_t kBufferSize = 64 * 1024;

  // fd: an open directory, not owned. The buffer is grown to kBufferSize when smaller.
  DirectoryReader(int fd, std::vector<char>& buffer);

  // The next entry; false at the end of the listing or when reading failed (see failed()).
  bool next(DirectoryEntry& entry);
  // The next entry already in the buffer, without reading more: the names it hands out
  // stay valid together until next() must read again.
  bool nextBuffered(DirectoryEntry& entry);
  // The listing broke off with an error before its end (errno value), 0 otherwise.
  int failed() const { return error_; }

 private:
  bool refill();
  bool take(DirectoryEntry& entry);
  int fd_;
  std::vector<char>& buf_;
  std::size_t at_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  int error_ = 0;
};

}  // namespace kolvex
