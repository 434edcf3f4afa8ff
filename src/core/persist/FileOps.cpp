#include "core/persist/FileOps.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>

#include "core/persist/PersistError.h"

namespace kolvex {
namespace {

// The errors with which a kernel says that it does not copy between these two files.
bool kernelCannotCopy(int error) {
  return error == EXDEV || error == EINVAL || error == EOPNOTSUPP || error == ENOSYS;
}

class PosixFileOps final : public FileOps {
 public:
  int openRead(const std::string& path) override {
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  }
  int create(const std::string& path, bool exclusive) override {
    int flags = O_RDWR | O_CREAT | O_CLOEXEC | (exclusive ? O_EXCL : O_TRUNC);
    return ::open(path.c_str(), flags, 0666);
  }
  int createUnnamed(const std::string& dir) override {
    return ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
  }
  int linkUnnamed(int fd, const std::string& path) override {
    // Through /proc, which needs no privilege; AT_EMPTY_PATH where /proc is missing.
    std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
    if (errno != ENOENT) return -1;
    return ::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH);
  }
  bool isRegularFile(int fd) override {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  }
  ssize_t pread(int fd, void* buf, size_t n, std::uint64_t offset) override {
    return ::pread(fd, buf, n, static_cast<off_t>(offset));
  }
  ssize_t pwrite(int fd, const void* buf, size_t n, std::uint64_t offset) override {
    return ::pwrite(fd, buf, n, static_cast<off_t>(offset));
  }
  ssize_t copyRange(int in, std::uint64_t inOffset, int out, std::uint64_t outOffset,
                    size_t n) override {
    auto inAt = static_cast<off_t>(inOffset), outAt = static_cast<off_t>(outOffset);
    ssize_t done = ::copy_file_range(in, &inAt, out, &outAt, n, 0);
    if (done >= 0 || !kernelCannotCopy(errno)) return done;
    // Between two kinds of file system (a temporary folder on tmpfs): sendfile still
    // copies in the kernel, writing at the output's file offset.
    if (::lseek(out, outAt, SEEK_SET) < 0) return -1;
    done = ::sendfile(out, in, &inAt, n);
    if (done < 0 && kernelCannotCopy(errno)) errno = EOPNOTSUPP;
    return done;
  }
  int fileSize(int fd, std::uint64_t& size) override {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return -1;
    size = static_cast<std::uint64_t>(st.st_size);
    return 0;
  }
  int fsync(int fd) override { return ::fsync(fd); }
  int close(int fd) override { return ::close(fd); }
  int rename(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str());
  }
  int unlink(const std::string& path) override { return ::unlink(path.c_str()); }
  int fsyncDir(const std::string& dir) override {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -1;
    int rc = ::fsync(fd);
    int saved = errno;
    ::close(fd);
    errno = saved;
    return rc;
  }
};

}  // namespace

FileOps& posixFileOps() {
  static PosixFileOps ops;
  return ops;
}

namespace {

std::string randomName(const std::string& dir, const std::string& prefix, const std::string& suffix) {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static thread_local std::mt19937_64 rng{std::random_device{}()};
  std::string name = dir + prefix;
  for (int i = 0; i < 8; ++i) name += kChars[rng() % (sizeof(kChars) - 1)];
  return name + suffix;
}

}  // namespace

int createUniqueFile(FileOps& ops, const std::string& dir, const std::string& prefix,
                     const std::string& suffix, std::string& path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = randomName(dir, prefix, suffix);
    int fd = ops.create(name, true);
    if (fd >= 0) {
      path = name;
      return fd;
    }
    if (errno != EEXIST) throwCannotCreate(name, errno);
  }
  throwCannotCreate(dir + prefix + "*" + suffix, EEXIST);
}

void linkUnique(FileOps& ops, int fd, const std::string& dir, const std::string& prefix,
                const std::string& suffix, std::string& path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = randomName(dir, prefix, suffix);
    if (ops.linkUnnamed(fd, name) == 0) {
      path = name;
      return;
    }
    if (errno != EEXIST) throwCannotCreate(name, errno);
  }
  throwCannotCreate(dir + prefix + "*" + suffix, EEXIST);
}

bool removeFile(FileOps& ops, const std::string& path) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (ops.unlink(path) == 0 || errno == ENOENT) return true;
  }
  return false;
}

bool isRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string tempDirectory() {
  const char* env = std::getenv("TMPDIR");
  std::string dir = (env && *env) ? env : "/tmp";
  if (dir.back() != '/') dir += '/';
  return dir;
}

std::string directoryOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return "./";
  return path.substr(0, slash + 1);
}

}  // namespace kolvex
