#pragma once
// The real file system behind FileOps, every call forwarded: a test fake derives from it
// and overrides only the calls it watches or changes.
#include "core/persist/FileOps.h"

namespace kolvex::test {

class ForwardingFileOps : public FileOps {
 public:
  int openRead(const std::string& p) override { return real_.openRead(p); }
  int create(const std::string& p, bool e) override { return real_.create(p, e); }
  int createUnnamed(const std::string& d) override { return real_.createUnnamed(d); }
  int linkUnnamed(int fd, const std::string& p) override { return real_.linkUnnamed(fd, p); }
  bool isRegularFile(int fd) override { return real_.isRegularFile(fd); }
  ssize_t pread(int fd, void* b, size_t n, std::uint64_t o) override {
    return real_.pread(fd, b, n, o);
  }
  ssize_t pwrite(int fd, const void* b, size_t n, std::uint64_t o) override {
    return real_.pwrite(fd, b, n, o);
  }
  ssize_t copyRange(int i, std::uint64_t io, int o, std::uint64_t oo, size_t n) override {
    return real_.copyRange(i, io, o, oo, n);
  }
  int fileSize(int fd, std::uint64_t& s) override { return real_.fileSize(fd, s); }
  int fsync(int fd) override { return real_.fsync(fd); }
  int close(int fd) override { return real_.close(fd); }
  int rename(const std::string& a, const std::string& b) override { return real_.rename(a, b); }
  int unlink(const std::string& p) override { return real_.unlink(p); }
  int fsyncDir(const std::string& d) override { return real_.fsyncDir(d); }

 protected:
  FileOps& real_ = posixFileOps();
};

}  // namespace kolvex::test
