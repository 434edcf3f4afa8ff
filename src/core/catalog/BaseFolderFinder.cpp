#include "core/catalog/BaseFolderFinder.h"

#include <sys/stat.h>

#include <optional>
#include <vector>

#include "core/catalog/FileNames.h"
#include "core/catalog/LocateOnMedia.h"
#include "core/persist/FileOps.h"
#include "core/persist/TQELFile.h"
#include "platform/MountPath.h"

namespace kolvex {
namespace {

bool isDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string withSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

bool windowsBase(const std::string& base) { return base.size() >= 2 && base[1] == ':'; }

std::string fileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string joined(const std::vector<std::string>& parts, std::size_t from) {
  std::string below;
  for (std::size_t i = from; i < parts.size(); ++i) below += "/" + parts[i];
  return below;
}

std::string under(const std::string& mountPoint, const std::string& below) {
  const std::string path = (mountPoint == "/" ? std::string() : mountPoint) + below;
  return path.empty() ? "/" : path;
}

}  // namespace

std::string FindBaseFolder(const TSCCDInfo& header, const std::string& catalogPath,
                           const VolumeTable& volumes) {
  const std::vector<std::string> parts = baseDirParts(header.BaseDir);
  const std::string catalogName = fileNameOf(catalogPath);
  const std::size_t nameLimit = MaxFileNameBytes(directoryOf(catalogPath));
  std::string guess;
  for (const Volume& v : volumes.list()) {
    if (!v.serial || v.serialText() != header.CreateSerial) continue;
    // Where the part below the mount point is known, it is the only place to look: a
    // drive letter's root, or the volume still mounted above the old folder.
    if (windowsBase(header.BaseDir) || isAtOrBelow(header.BaseDir, v.mountPoint)) {
      const std::string known = windowsBase(header.BaseDir) ? under(v.mountPoint, joined(parts, 0))
                                                            : header.BaseDir;
      if (isDirectory(known)) return withSlash(known);
      continue;
    }
    // Mounted elsewhere: the old folder's endings, longest first. The one the catalog is
    // named after settles it; without it, the longest that exists, but never the whole
    // medium on a guess.
    for (std::size_t keep = parts.size() + 1; keep-- > 0;) {
      const std::string below = joined(parts, parts.size() - keep);
      const std::string candidate = under(v.mountPoint, below);
      if (!isDirectory(candidate)) continue;
      const std::string named =
          FitFileName(ReplaceInvalidChars(header.CreateSerial + below), kCatalogExtension, nameLimit);
      if (named == catalogName) return withSlash(candidate);
      if (keep > 0 && guess.empty()) guess = withSlash(candidate);
    }
  }
  return guess;
}

}  // namespace kolvex
