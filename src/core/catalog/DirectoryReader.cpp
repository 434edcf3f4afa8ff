#include "core/catalog/DirectoryReader.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>
#include <sys/types.h>

#include <cstddef>
#include <cstring>

namespace kolvex {
namespace {

// getdents64 fills the buffer with records laid out as struct dirent64.
constexpr std::size_t kNameOffset = offsetof(struct dirent64, d_name);
constexpr std::size_t kLengthOffset = offsetof(struct dirent64, d_reclen);
constexpr std::size_t kTypeOffset = offsetof(struct dirent64, d_type);

}  // namespace

int OpenSubFolder(int parent, const char* name) {
  int fd;
  do {
    fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

FdCloser::~FdCloser() {
  if (fd_ >= 0) ::close(fd_);
}

DirectoryReader::DirectoryReader(int fd, std::vector<char>& buffer) : fd_(fd), buf_(buffer) {
  if (buf_.size() < kBufferSize) buf_.resize(kBufferSize);
}

bool DirectoryReader::refill() {
  if (eof_) return false;
  for (;;) {
    ssize_t n = ::getdents64(fd_, buf_.data(), buf_.size());
    if (n > 0) {
      at_ = 0;
      end_ = static_cast<std::size_t>(n);
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error_ = errno;
    eof_ = true;
    return false;
  }
}

bool DirectoryReader::next(DirectoryEntry& entry) {
  for (;;) {
    if (at_ >= end_ && !refill()) return false;
    if (take(entry)) return true;
  }
}

bool DirectoryReader::nextBuffered(DirectoryEntry& entry) {
  while (at_ < end_)
    if (take(entry)) return true;
  return false;
}

// The entry at at_, stepping over it; false for "." and ".." and at a broken record.
bool DirectoryReader::take(DirectoryEntry& entry) {
  const char* rec = buf_.data() + at_;
  unsigned short reclen;
  std::memcpy(&reclen, rec + kLengthOffset, sizeof reclen);
  if (reclen < kNameOffset + 1 || at_ + reclen > end_) {  // never from a sane kernel
    error_ = EIO;
    eof_ = true;
    at_ = end_ = 0;
    return false;
  }
  at_ += reclen;
  const char* name = rec + kNameOffset;
  std::size_t len = ::strnlen(name, reclen - kNameOffset);
  if ((len == 1 && name[0] == '.') || (len == 2 && name[0] == '.' && name[1] == '.')) return false;
  entry.name = std::string_view(name, len);
  entry.type = static_cast<unsigned char>(rec[kTypeOffset]);
  return true;
}

}  // namespace kolvex
