#pragma once
// A temporary file without a name for bytes that need not stay in memory: written through
// a buffer, read back or copied out once complete. It vanishes when closed (a file system
// without unnamed files gets a named one whose name is removed at once).
#include <cstdint>
#include <memory>
#include <string>

#include "core/persist/FileOps.h"
#include "core/persist/FileStream.h"

namespace kolvex::index {

class SpillFile {
 public:
  // In the folder dir (with a trailing '/'). Throws EFCreateError.
  SpillFile(FileOps& ops, const std::string& dir);

  void write(const void* data, std::size_t n) { stream_->write(data, n); }
  std::uint64_t size() { return stream_->size(); }
  FileStream& stream() { return *stream_; }
  // Reads n bytes at offset (written before); throws "Stream read error" when short.
  void read(std::uint64_t offset, void* into, std::size_t n);

 private:
  FileOps& ops_;
  int fd_;
  std::unique_ptr<FileStream> stream_;
};

}  // namespace kolvex::index
