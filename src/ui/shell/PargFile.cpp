#include "ui/shell/PargFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "ui/common/AppNames.h"

namespace kolvex {
namespace {

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool readAll(int fd, std::size_t size, std::string& out) {
  out.resize(size);
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = ::read(fd, out.data() + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  out.resize(done);
  return true;
}

std::string trimmed(const std::string& s) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  std::size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

}  // namespace

std::string PargFile::path(const std::string& appDir) { return appDir + kHandOffFileName; }

bool PargFile::clear(const std::string& appDir) {
  std::string p = path(appDir);
  if (::unlink(p.c_str()) == 0 || errno == ENOENT) return true;
  struct stat st {};
  return ::lstat(p.c_str(), &st) != 0 && errno == ENOENT;
}

bool PargFile::write(const std::string& appDir, const std::string& folder) {
  std::string p = path(appDir);
  int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  bool ok = writeAll(fd, folder);
  if (::close(fd) != 0) ok = false;
  if (!ok) ::unlink(p.c_str());
  return ok;
}

std::optional<std::string> PargFile::take(const std::string& appDir) {
  std::string p = path(appDir);
  int fd = ::open(p.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ELOOP) ::unlink(p.c_str());  // a link: drop it, never read through it
    return std::nullopt;
  }
  struct stat st {};
  std::string bytes;
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
            static_cast<std::size_t>(st.st_size) <= kMaxBytes &&
            readAll(fd, static_cast<std::size_t>(st.st_size), bytes);
  bool regular = S_ISREG(st.st_mode);
  ::close(fd);
  if (regular) ::unlink(p.c_str());
  if (!ok) return std::nullopt;
  return trimmed(bytes);
}

}  // namespace kolvex
