#include "core/persist/TempFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <memory>

#include "core/persist/PersistError.h"

namespace kolvex {
namespace {

// A file this young may belong to a writer that has created it but not yet locked it.
constexpr std::time_t kStaleAfterSeconds = 10;

bool unnamedUnsupported(int err) {
  // EISDIR: a kernel without O_TMPFILE takes it for O_DIRECTORY.
  return err == EOPNOTSUPP || err == EISDIR || err == EINVAL;
}

bool isTempName(const std::string& name) {
  const std::string prefix = kTempPrefix, suffix = kTempSuffix;
  return name.size() > prefix.size() + suffix.size() && name.rfind(prefix, 0) == 0 &&
         name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

}  // namespace

TempFile createTempFile(FileOps& ops, const std::string& dir) {
  TempFile file;
  file.fd = ops.createUnnamed(dir);
  if (file.fd < 0) {
    if (!unnamedUnsupported(errno)) throwCannotCreate(dir + kTempPrefix + "*" + kTempSuffix, errno);
    file.fd = createUniqueFile(ops, dir, kTempPrefix, kTempSuffix, file.path);
  }
  // Held until the descriptor closes, also while a name is linked to an unnamed file. A
  // file system without locks only makes leftovers look busy, so a failure is no error.
  ::flock(file.fd, LOCK_EX | LOCK_NB);
  return file;
}

void nameTempFile(FileOps& ops, TempFile& file, const std::string& dir) {
  if (!file.path.empty()) return;
  linkUnique(ops, file.fd, dir, kTempPrefix, kTempSuffix, file.path);
}

int removeStaleTempFiles(const std::string& dir) {
  std::unique_ptr<DIR, DirCloser> listing(::opendir(dir.c_str()));
  if (!listing) return 0;
  const std::time_t now = std::time(nullptr);
  int removed = 0;
  while (dirent* e = ::readdir(listing.get())) {
    const std::string name = e->d_name;
    if (!isTempName(name)) continue;
    const std::string path = (dir.empty() || dir.back() == '/' ? dir : dir + "/") + name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
        now - st.st_mtime < kStaleAfterSeconds)
      continue;
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat opened {};
    // Locked by nobody, and still the file that was looked at.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
        opened.st_ino == st.st_ino && opened.st_dev == st.st_dev && ::unlink(path.c_str()) == 0)
      ++removed;
    ::close(fd);
  }
  return removed;
}

}  // namespace kolvex
