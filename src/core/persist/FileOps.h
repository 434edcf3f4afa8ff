#pragma once
// The file system calls that streams and catalog writers make. Everything that writes a
// catalog goes through one FileOps object, so a test can make any single call fail.
#include <sys/types.h>

#include <cstdint>
#include <string>

namespace kolvex {

class FileOps {
 public:
  virtual ~FileOps() = default;
  // Each returns -1 (and sets errno) on failure, like the POSIX call it wraps.
  // Opens for reading without waiting: a fifo must not hang the open (see isRegularFile).
  virtual int openRead(const std::string& path) = 0;
  // Creates or empties a file for reading and writing.
  virtual int create(const std::string& path, bool exclusive) = 0;
  // Creates a file without a name in the folder dir (O_TMPFILE): it vanishes with its
  // last descriptor, even when its writer is killed. Fails where the file system cannot.
  virtual int createUnnamed(const std::string& dir) = 0;
  // Gives a file made by createUnnamed() the name path, which must not exist yet.
  virtual int linkUnnamed(int fd, const std::string& path) = 0;
  // True when the open file is a regular file (not a fifo, a device or a folder).
  virtual bool isRegularFile(int fd) = 0;
  virtual ssize_t pread(int fd, void* buf, size_t n, std::uint64_t offset) = 0;
  virtual ssize_t pwrite(int fd, const void* buf, size_t n, std::uint64_t offset) = 0;
  virtual int fileSize(int fd, std::uint64_t& size) = 0;
  // Copies up to n bytes from in at inOffset to out at outOffset inside the kernel
  // (copy_file_range, else sendfile), so the bytes never pass through this process.
  // Returns the bytes copied; -1 with errno EOPNOTSUPP when the kernel cannot copy between
  // these two files, and the caller copies them itself.
  virtual ssize_t copyRange(int in, std::uint64_t inOffset, int out, std::uint64_t outOffset,
                            size_t n) = 0;
  virtual int fsync(int fd) = 0;
  virtual int close(int fd) = 0;
  virtual int rename(const std::string& from, const std::string& to) = 0;
  virtual int unlink(const std::string& path) = 0;
  virtual int fsyncDir(const std::string& dir) = 0;
};

// The real file system.
FileOps& posixFileOps();

// Creates a new, empty file named dir + prefix + random characters + suffix that did not
// exist before, and returns its descriptor; path receives its name. Throws EFCreateError.
int createUniqueFile(FileOps& ops, const std::string& dir, const std::string& prefix,
                     const std::string& suffix, std::string& path);

// Links a file made by createUnnamed() under a new name dir + prefix + random characters
// + suffix; path receives it. Throws EFCreateError.
void linkUnique(FileOps& ops, int fd, const std::string& dir, const std::string& prefix,
                const std::string& suffix, std::string& path);

// Removes a file that is no longer wanted, trying a second time when the first attempt
// fails (a temporary file must not outlive a passing hiccup). False when it remains.
bool removeFile(FileOps& ops, const std::string& path);

// Whether path names a regular file (following links).
bool isRegularFile(const std::string& path);

// The user's folder for temporary files with a trailing '/': $TMPDIR, else /tmp/.
std::string tempDirectory();

// The folder part of a path with a trailing '/' ("./" when it has none).
std::string directoryOf(const std::string& path);

}  // namespace kolvex
