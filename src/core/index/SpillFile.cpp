#include "core/index/SpillFile.h"

#include <cerrno>

#include "core/persist/PersistError.h"
#include "core/persist/TempFile.h"

namespace kolvex::index {

SpillFile::SpillFile(FileOps& ops, const std::string& dir) : ops_(ops) {
  TempFile file = createTempFile(ops, dir);
  fd_ = file.fd;
  stream_ = std::make_unique<FileStream>(file.fd, file.path.empty() ? dir : file.path, ops);
  if (!file.path.empty() && !removeFile(ops, file.path)) {
    stream_.reset();  // closes it
    throwCannotCreate(file.path, errno);
  }
}

void SpillFile::read(std::uint64_t offset, void* into, std::size_t n) {
  stream_->flush();
  auto* to = static_cast<char*>(into);
  while (n > 0) {
    const ssize_t got = ops_.pread(fd_, to, n, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) throw EStreamError(msg::kStreamReadError);
    to += got;
    offset += static_cast<std::uint64_t>(got);
    n -= static_cast<std::size_t>(got);
  }
}

}  // namespace kolvex::index
