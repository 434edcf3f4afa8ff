#include "core/app/ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

#include "core/persist/AtomicFileWriter.h"
#include "core/persist/PersistError.h"

namespace kolvex {
namespace {

// Time stamps of some file systems advance in steps of up to two seconds: a file changed
// less than this long before it was read may change again without a new time stamp.
constexpr std::int64_t kStampResolutionNs = 3'000'000'000;

std::int64_t nanoseconds(const timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::int64_t nowNs() {
  timespec t{};
  clock_gettime(CLOCK_REALTIME, &t);
  return nanoseconds(t);
}

}  // namespace

ProfileFile::ProfileFile(std::string path, FileOps& ops) : path_(std::move(path)), ops_(ops) {}

bool ProfileFile::load(std::string& text, Stamp& stamp) const {
  text.clear();
  int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0;
  if (ok && !S_ISREG(st.st_mode)) {
    ok = false;
    errno = EISDIR;
  }
  char buf[16384];
  while (ok) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    text.append(buf, static_cast<std::size_t>(n));
  }
  int saved = errno;
  ::close(fd);
  errno = saved;
  if (!ok) {
    text.clear();
    return false;
  }
  stamp = {st.st_dev, st.st_ino, st.st_size, nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
  return true;
}

const ProfileDocument& ProfileFile::current() {
  struct stat st {};
  if (::stat(path_.c_str(), &st) != 0) {
    cached_.reset();
    doc_ = ProfileDocument();
    return doc_;
  }
  Stamp now{st.st_dev, st.st_ino, st.st_size, nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
  if (cached_ && *cached_ == now) return doc_;

  std::string text;
  Stamp read;
  cached_.reset();
  if (!load(text, read)) {
    doc_ = ProfileDocument();
    return doc_;
  }
  doc_ = ProfileDocument(text);
  std::int64_t changed = std::max(read.mtimeNs, read.ctimeNs);
  if (read == now && nowNs() - changed > kStampResolutionNs) cached_ = read;
  return doc_;
}

std::optional<std::string> ProfileFile::find(std::string_view section, std::string_view key) {
  return current().value(section, key);
}

std::string ProfileFile::read(std::string_view section, std::string_view key,
                              std::string_view fallback) {
  std::optional<std::string> v = find(section, key);
  return v ? std::move(*v) : std::string(fallback);
}

void ProfileFile::write(std::string_view section, std::span<const ProfileEntry> entries) {
  std::string text;
  Stamp stamp;
  // Only a file that is not there may be started afresh; any other failure to read it
  // would throw away what it holds.
  if (!load(text, stamp) && errno != ENOENT) throwCannotOpen(path_);
  ProfileDocument doc(text);
  for (const ProfileEntry& e : entries) doc.set(section, e.key, e.value);

  cached_.reset();
  AtomicFileWriter out(path_, ops_);
  out.stream().write(doc.text());
  out.commit();
}

void ProfileFile::write(std::string_view section, std::string_view key, std::string_view value) {
  ProfileEntry e{std::string(key), std::string(value)};
  write(section, std::span<const ProfileEntry>(&e, 1));
}

}  // namespace kolvex
