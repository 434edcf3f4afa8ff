#include "core/catalog/FileAttributes.h"

#include <sys/stat.h>

#include "core/persist/TSCFileObjectInfo.h"

namespace kolvex {

std::int32_t AttributesOf(mode_t mode, std::string_view name) {
  std::int32_t a;
  if (S_ISDIR(mode))
    a = faDirectory;
  else if (S_ISREG(mode))
    a = faArchive;
  else if (S_ISLNK(mode))
    a = faReparsePoint;
  else
    a = faSysFile;
  if (!name.empty() && name.front() == '.') a |= faHidden;
  // A link's own mode always grants writing; what matters for it is its target.
  if (!S_ISLNK(mode) && (mode & S_IWUSR) == 0) a |= faReadOnly;
  return a;
}

}  // namespace kolvex
