#include "core/content/ContentHasher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xxhash.h>

#include <cerrno>

namespace kolvex {

struct ContentHasher::State {
  XXH3_state_t* xxh = XXH3_createState();
  ~State() { XXH3_freeState(xxh); }
};

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

ContentHasher::ContentHasher() : state_(std::make_unique<State>()), buffer_(kBlock) {
  if (!state_->xxh) throw std::bad_alloc();
}

ContentHasher::~ContentHasher() = default;

HashResult ContentHasher::hashFile(const std::string& path, const OnBlock& onBlock) {
  HashResult result;
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) return result;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return result;
  ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
  XXH3_128bits_reset(state_->xxh);
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer_.data(), buffer_.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return result;
    if (n == 0) break;
    XXH3_128bits_update(state_->xxh, buffer_.data(), static_cast<std::size_t>(n));
    result.size += static_cast<std::uint64_t>(n);
    if (onBlock && !onBlock(static_cast<std::uint64_t>(n))) {
      result.status = HashStatus::Stopped;
      return result;
    }
  }
  XXH128_hash_t h = XXH3_128bits_digest(state_->xxh);
  result.fingerprint = {h.low64, h.high64};
  result.status = HashStatus::Done;
  return result;
}

}  // namespace kolvex
