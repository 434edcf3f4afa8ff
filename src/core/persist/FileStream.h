#pragma once
// A stream over an open file. Reads fill a window of at least 64 KiB; writes collect in
// a buffer of the same size, so records can be written and read one at a time cheaply.
#include <memory>
#include <string>
#include <vector>

#include "core/persist/FileOps.h"
#include "core/persist/Stream.h"

namespace kolvex {

class FileStream final : public Stream {
 public:
  enum class Mode { Read, Create, CreateNew };
  static constexpr std::size_t kBlock = 64 * 1024;

  // Read: opens an existing regular file for reading ("Cannot open file %s"; a fifo, a
  // device or a folder is refused with kNotRegularFile, without waiting for a writer).
  // Create: creates or empties the file for reading and writing ("Cannot create file %s").
  FileStream(const std::string& path, Mode mode, FileOps& ops = posixFileOps());
  // Takes over a descriptor that is already open for reading and writing.
  FileStream(int fd, std::string path, FileOps& ops = posixFileOps());
  ~FileStream() override;

  const std::string& path() const { return path_; }
  std::uint64_t size() override;
  using Stream::write;
  void write(const void* data, std::size_t n) override;
  // Writes out buffered bytes; throws "Stream write error" when the file system refuses.
  void flush();
  // Writes the content of from, from offset on, at the end of this file, copied inside
  // the kernel where it can (the bytes never pass through this process), else through a
  // buffer. Throws "Stream write error" on a failure.
  void appendFrom(FileStream& from, std::uint64_t offset = 0);
  // Asks the kernel to start writing the given part out now, without waiting for it (the
  // fsync that follows has less to do). Flushes first (and throws as flush() does); the
  // request itself is only a hint, and its failure is ignored.
  void startWriteBack(std::uint64_t offset, std::uint64_t length);
  // flush(), then fsync(); a failure throws and is never retried.
  void sync();
  // The size the file system reports for the open file; throws when it cannot tell.
  std::uint64_t sizeOnDisk();
  // flush() and close; throws on a failure to write or to close. Safe to call twice.
  void close() override;

 protected:
  void fill(std::size_t n) override;
  void seekOutside(std::uint64_t pos) override;

 private:
  void dropWindow(std::uint64_t pos);
  FileOps& ops_;
  std::string path_;
  int fd_ = -1;
  std::uint64_t fileSize_ = 0;
  std::vector<std::uint8_t> rbuf_;
  std::string wbuf_;
  std::uint64_t wStart_ = 0;
  bool backward_ = false;  // the last seek went before the window
};

}  // namespace kolvex
