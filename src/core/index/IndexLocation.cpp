#include "core/index/IndexLocation.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "core/app/XdgFolders.h"
#include "core/persist/FileOps.h"

namespace kolvex::index {
namespace {

constexpr const char* kFolder = ".kolvex-index/";
constexpr const char* kSuffix = ".kxi";

std::string hexHash(std::string_view text) {
  std::uint64_t h = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
  return hex;
}

// The catalog's file name with the suffix; a name that would pass the file system's limit
// of 255 bytes keeps its start and gets a hash of the whole name instead.
std::string indexNameOf(const std::string& catalogPath) {
  const std::size_t slash = catalogPath.rfind('/');
  const std::string name = slash == std::string::npos ? catalogPath : catalogPath.substr(slash + 1);
  if (name.size() + 4 <= 255) return name + kSuffix;
  return name.substr(0, 200) + "~" + hexHash(name) + kSuffix;
}

// The catalog folder's absolute path, so that two folders never share a cache folder.
std::string absoluteFolderOf(const std::string& catalogPath) {
  std::string dir = directoryOf(catalogPath);
  if (dir.front() == '/') return dir;
  char cwd[4096];
  if (!::getcwd(cwd, sizeof cwd)) return dir;
  return std::string(cwd) + "/" + (dir == "./" ? std::string() : dir);
}

std::string cacheFolderOf(const std::string& catalogPath) {
  std::string cache = xdg::cacheHome();
  if (cache.empty()) return {};
  return cache + "/kolvex/" + hexHash(absoluteFolderOf(catalogPath)) + "/";
}

}  // namespace

std::vector<std::string> indexPathsOf(const std::string& catalogPath) {
  const std::string name = indexNameOf(catalogPath);
  std::vector<std::string> paths = {directoryOf(catalogPath) + kFolder + name};
  if (const std::string cache = cacheFolderOf(catalogPath); !cache.empty())
    paths.push_back(cache + name);
  return paths;
}

std::string writableIndexPath(const std::string& catalogPath) {
  const std::vector<std::string> paths = indexPathsOf(catalogPath);
  for (std::size_t k = 0; k < paths.size(); ++k) {
    const std::string dir = directoryOf(paths[k]);
    // The hidden folder beside the catalogs is made like any file of that folder; the
    // cache folder privately, as the XDG rules ask.
    const bool made = k == 0 ? ::mkdir(dir.c_str(), 0777) == 0 || errno == EEXIST
                             : xdg::makeFolders(dir.substr(0, dir.size() - 1));
    if (made && ::access(dir.c_str(), W_OK) == 0) return paths[k];
  }
  return {};
}

}  // namespace kolvex::index
