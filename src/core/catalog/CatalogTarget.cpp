#include "core/catalog/CatalogTarget.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace kolvex {
namespace {

// Something that is there but is no folder.
constexpr int kNoFolder = -1;

bool isFolder(const std::string& path, int& err) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    err = errno;
    return false;
  }
  err = S_ISDIR(st.st_mode) ? 0 : kNoFolder;
  return err == 0;
}

// mkdir -p: each missing level in turn; a level made meanwhile by someone else is fine.
int makeFolders(const std::string& folder) {
  for (std::size_t at = 1; at <= folder.size(); ++at) {
    if (at < folder.size() && folder[at] != '/') continue;
    const std::string level = folder.substr(0, at);
    if (::mkdir(level.c_str(), 0777) != 0 && errno != EEXIST) return errno;
  }
  int err = 0;
  return isFolder(folder, err) ? 0 : err == kNoFolder ? EEXIST : err;
}

}  // namespace

std::string PrepareCatalogFolder(const std::string& folder) {
  std::string dir = folder;
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (dir.empty()) dir = ".";
  int err = 0;
  if (isFolder(dir, err)) return {};
  if (err == kNoFolder) return "The catalog folder " + dir + " is not a folder";
  if (err != ENOENT) return "The catalog folder " + dir + " cannot be used: " + std::strerror(err);
  if (int made = makeFolders(dir))
    return "The catalog folder " + dir + " does not exist and cannot be created: " +
           std::strerror(made);
  return {};
}

std::string CatalogNameProblem(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) return {};
  return "Cannot save the catalog as " + path + ": " +
         (S_ISDIR(st.st_mode) ? "a folder" : "something that is not a file") + " has that name";
}

}  // namespace kolvex
