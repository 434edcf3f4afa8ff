#include "platform/MountPath.h"

namespace kolvex {
namespace {

std::string_view withoutTrailingSlashes(std::string_view p) {
  while (p.size() > 1 && p.back() == '/') p.remove_suffix(1);
  return p;
}

}  // namespace

bool isAtOrBelow(std::string_view path, std::string_view folder) {
  path = withoutTrailingSlashes(path);
  folder = withoutTrailingSlashes(folder);
  if (path.empty() || path[0] != '/' || folder.empty()) return false;
  if (folder == "/") return true;
  if (!path.starts_with(folder)) return false;
  return path.size() == folder.size() || path[folder.size()] == '/';
}

std::string pathBelowMountPoint(std::string_view mountPoint, std::string_view path) {
  if (!isAtOrBelow(path, mountPoint)) return {};
  path = withoutTrailingSlashes(path);
  mountPoint = withoutTrailingSlashes(mountPoint);
  if (path == "/") return {};
  if (mountPoint == "/") return std::string(path);
  return std::string(path.substr(mountPoint.size()));
}

int longestMountPoint(const std::vector<std::string>& mountPoints, std::string_view path) {
  int best = -1;
  std::size_t bestLength = 0;
  for (std::size_t i = 0; i < mountPoints.size(); ++i) {
    const std::string_view mp = withoutTrailingSlashes(mountPoints[i]);
    if (isAtOrBelow(path, mp) && (best < 0 || mp.size() > bestLength)) {
      best = static_cast<int>(i);
      bestLength = mp.size();
    }
  }
  return best;
}

}  // namespace kolvex
