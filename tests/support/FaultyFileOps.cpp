#include "support/FaultyFileOps.h"

#include <cerrno>

namespace kolvex::test {

bool FaultyFileOps::fail(bool cleanup) {
  ++calls_;
  bool now = failAt_ > 0 && (calls_ == failAt_ || (sticky_ && !cleanup && calls_ > failAt_));
  if (now) {
    failed_ = true;
    errno = EIO;
  }
  return now;
}

int FaultyFileOps::openRead(const std::string& p) { return fail() ? -1 : real_.openRead(p); }
int FaultyFileOps::create(const std::string& p, bool ex) {
  return fail() ? -1 : real_.create(p, ex);
}
int FaultyFileOps::createUnnamed(const std::string& d) {
  if (fail()) return -1;
  if (unnamedFiles) return real_.createUnnamed(d);
  errno = EOPNOTSUPP;
  return -1;
}
int FaultyFileOps::linkUnnamed(int fd, const std::string& p) {
  return fail() ? -1 : real_.linkUnnamed(fd, p);
}
ssize_t FaultyFileOps::pread(int fd, void* b, size_t n, std::uint64_t o) {
  return fail() ? -1 : real_.pread(fd, b, n, o);
}
ssize_t FaultyFileOps::pwrite(int fd, const void* b, size_t n, std::uint64_t o) {
  return fail() ? -1 : real_.pwrite(fd, b, n, o);
}
ssize_t FaultyFileOps::copyRange(int in, std::uint64_t io, int out, std::uint64_t oo, size_t n) {
  return fail() ? -1 : real_.copyRange(in, io, out, oo, n);
}
int FaultyFileOps::fileSize(int fd, std::uint64_t& s) { return fail() ? -1 : real_.fileSize(fd, s); }
int FaultyFileOps::fsync(int fd) { return fail() ? -1 : real_.fsync(fd); }
int FaultyFileOps::close(int fd) {
  // A failed close still releases the descriptor, as close(2) does.
  if (fail(true)) {
    real_.close(fd);
    return -1;
  }
  return real_.close(fd);
}
int FaultyFileOps::rename(const std::string& a, const std::string& b) {
  return fail() ? -1 : real_.rename(a, b);
}
int FaultyFileOps::unlink(const std::string& p) { return fail(true) ? -1 : real_.unlink(p); }
int FaultyFileOps::fsyncDir(const std::string& d) { return fail() ? -1 : real_.fsyncDir(d); }

}  // namespace kolvex::test
