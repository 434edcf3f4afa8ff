#include "core/index/CatalogFile.h"

#include <fcntl.h>
#include <unistd.h>

#include "core/persist/ComponentReader.h"
#include "core/persist/FileStream.h"
#include "core/persist/PersistError.h"

namespace kolvex::index {

CatalogFile::~CatalogFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool CatalogFile::open(const std::string& path) {
  path_ = path;
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  return fd_ >= 0 && ::fstat(fd_, &status_) == 0 && S_ISREG(status_.st_mode);
}

std::optional<CatalogIdentity> CatalogFile::identity(std::uint64_t recordBase) const {
  if (fd_ < 0 || recordBase > static_cast<std::uint64_t>(status_.st_size)) return std::nullopt;
  headerBytes_.clear();
  std::string header(recordBase, '\0');
  for (std::size_t done = 0; done < header.size();) {
    const ssize_t n = ::pread(fd_, header.data() + done, header.size() - done,
                              static_cast<off_t>(done));
    if (n <= 0) return std::nullopt;
    done += static_cast<std::size_t>(n);
  }
  CatalogIdentity id;
  id.device = static_cast<std::uint64_t>(status_.st_dev);
  id.inode = static_cast<std::uint64_t>(status_.st_ino);
  id.size = static_cast<std::uint64_t>(status_.st_size);
  id.mtimeSeconds = status_.st_mtim.tv_sec;
  id.mtimeNanoseconds = status_.st_mtim.tv_nsec;
  id.recordBase = recordBase;
  id.headerDigest = digestOf(header.data(), header.size());
  headerBytes_ = std::move(header);
  return id;
}

TSCCDInfo CatalogFile::header() const {
  MemoryStream in(headerBytes_);
  checkStreamStart(in);
  TSCCDInfo h;
  readObject(in, h);
  return h;
}

std::unique_ptr<Stream> CatalogFile::stream() const {
  const int fd = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
  if (fd < 0) throwReadError();
  return std::make_unique<FileStream>(fd, path_);
}

}  // namespace kolvex::index
