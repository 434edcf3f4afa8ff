#include "core/index/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <utility>

namespace kolvex::index {

MappedFile::~MappedFile() { close(); }

MappedFile::MappedFile(MappedFile&& other) noexcept { *this = std::move(other); }

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
  if (this != &other) {
    close();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    status_ = other.status_;
  }
  return *this;
}

bool MappedFile::open(const std::string& path) {
  close();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  bool ok = ::fstat(fd, &status_) == 0 && S_ISREG(status_.st_mode);
  if (ok && status_.st_size > 0) {
    void* p = ::mmap(nullptr, static_cast<std::size_t>(status_.st_size), PROT_READ, MAP_SHARED,
                     fd, 0);
    ok = p != MAP_FAILED;
    if (ok) {
      data_ = static_cast<const unsigned char*>(p);
      size_ = static_cast<std::size_t>(status_.st_size);
    }
  }
  ::close(fd);
  return ok;
}

void MappedFile::close() {
  if (data_) ::munmap(const_cast<unsigned char*>(data_), size_);
  data_ = nullptr;
  size_ = 0;
}

}  // namespace kolvex::index
