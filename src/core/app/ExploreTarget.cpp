#include "core/app/ExploreTarget.h"

#include "core/persist/FileOps.h"

namespace kolvex {

std::string ExploreTarget(const std::string& realPath) {
  if (!isRegularFile(realPath)) return realPath;
  const std::size_t slash = realPath.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : realPath.substr(0, slash);
}

}  // namespace kolvex
