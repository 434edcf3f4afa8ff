#include "core/catalog/MountPointsBelow.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/MountInfo.h"

namespace kolvex {

std::optional<std::unordered_set<std::string>> MountPointsBelow(const std::string& folder,
                                                                const std::string& mountMap) {
  char real[PATH_MAX];
  if (!::realpath(folder.c_str(), real)) return std::nullopt;
  std::string base = real;
  if (base.back() != '/') base += '/';
  std::unordered_set<std::string> below;
  for (const MountEntry& e : parseMountInfo(mountMap))
    if (e.mountPoint.size() > base.size() && e.mountPoint.compare(0, base.size(), base) == 0)
      below.insert(e.mountPoint.substr(base.size()));
  return below;
}

std::optional<std::unordered_set<std::string>> MountPointsBelow(const std::string& folder) {
  std::ifstream in("/proc/self/mountinfo");
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();  // /proc files report size 0, so read until the end
  if (in.bad()) return std::nullopt;
  return MountPointsBelow(folder, text.str());
}

}  // namespace kolvex
