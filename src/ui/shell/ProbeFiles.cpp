#include "ui/shell/ProbeFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>

namespace kolvex {

bool ProbeFiles::create(const std::string& appDir) {
  bool ok = true;
  for (const char* name : kNames) {
    std::string path = appDir + name;
    ::unlink(path.c_str());
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
      ok = false;
      continue;
    }
    ::close(fd);
  }
  return ok;
}

void ProbeFiles::removeAll(const std::string& appDir) {
  DIR* dir = ::opendir(appDir.c_str());
  if (!dir) return;
  const std::size_t prefixLength = std::strlen(kPrefix);
  while (dirent* entry = ::readdir(dir)) {
    if (std::strncmp(entry->d_name, kPrefix, prefixLength) != 0) continue;
    ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

}  // namespace kolvex
