#pragma once
// The real file system, except that the N-th call fails (once, or from then on).
#include "core/persist/FileOps.h"

namespace kolvex::test {

class FaultyFileOps final : public FileOps {
 public:
  // failAt: 1-based number of the call that fails; 0 never fails.
  // sticky: every later call fails too, except unlink and close, which a disk that has
  // filled up or gone read-only still grants (they are how temporary files go away).
  FaultyFileOps(int failAt = 0, bool sticky = false) : failAt_(failAt), sticky_(sticky) {}

  int calls() const { return calls_; }
  bool failed() const { return failed_; }
  // False: a file system without unnamed files (O_TMPFILE), as vfat or an old kernel.
  bool unnamedFiles = true;

  int openRead(const std::string& path) override;
  int create(const std::string& path, bool exclusive) override;
  int createUnnamed(const std::string& dir) override;
  int linkUnnamed(int fd, const std::string& path) override;
  bool isRegularFile(int fd) override { return real_.isRegularFile(fd); }
  ssize_t pread(int fd, void* buf, size_t n, std::uint64_t offset) override;
  ssize_t pwrite(int fd, const void* buf, size_t n, std::uint64_t offset) override;
  ssize_t copyRange(int in, std::uint64_t inOffset, int out, std::uint64_t outOffset,
                    size_t n) override;
  int fileSize(int fd, std::uint64_t& size) override;
  int fsync(int fd) override;
  int close(int fd) override;
  int rename(const std::string& from, const std::string& to) override;
  int unlink(const std::string& path) override;
  int fsyncDir(const std::string& dir) override;

 private:
  bool fail(bool cleanup = false);
  FileOps& real_ = posixFileOps();
  int failAt_;
  bool sticky_;
  int calls_ = 0;
  bool failed_ = false;
};

}  // namespace kolvex::test
