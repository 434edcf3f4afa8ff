#include "core/content/CatalogIdentity.h"

#include <vector>

#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"

namespace kolvex {

CatalogIdentity identityOf(const std::string& catalogPath, FileOps& ops) {
  std::uint64_t base = CatalogReader(catalogPath, ops).recordBase();
  int fd = ops.openRead(catalogPath);
  if (fd < 0) throwCannotOpen(catalogPath);
  std::vector<unsigned char> bytes(static_cast<std::size_t>(base));
  std::uint64_t size = 0, done = 0;
  bool ok = ops.fileSize(fd, size) == 0 && size >= base;
  while (ok && done < base) {
    ssize_t n = ops.pread(fd, bytes.data() + done, static_cast<std::size_t>(base - done), done);
    if (n <= 0) ok = false;
    else done += static_cast<std::uint64_t>(n);
  }
  ops.close(fd);
  if (!ok) throw EStreamError(msg::kStreamReadError);
  return {size, fingerprintOf(bytes.data(), bytes.size())};
}

}  // namespace kolvex
