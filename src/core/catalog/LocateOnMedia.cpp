#include "core/catalog/LocateOnMedia.h"

#include <sys/stat.h>

#include "platform/LocateOrder.h"
#include "platform/MountedVolumes.h"

namespace kolvex {
namespace {

bool exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

bool isDir(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> split(const std::string& text, char sep) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : text) {
    if (c == sep) {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

bool windowsBase(const std::string& base) {
  return base.size() >= 2 && base[1] == ':' &&
         ((base[0] >= 'A' && base[0] <= 'Z') || (base[0] >= 'a' && base[0] <= 'z'));
}

std::string resolveFrom(const std::string& dir, const std::vector<std::string>& parts, std::size_t at,
                        int& budget) {
  if (at == parts.size()) return dir;
  std::string name;
  // Try the plain reading first, then names that hold backslashes.
  for (std::size_t end = at; end < parts.size() && budget > 0; ++end, --budget) {
    if (end > at) name += '\\';
    name += parts[end];
    std::string path = (dir.empty() || dir.back() != '/' ? dir + "/" : dir) + name;
    if (end + 1 == parts.size()) {
      if (exists(path)) return path;
    } else if (isDir(path)) {
      std::string found = resolveFrom(path, parts, end + 1, budget);
      if (!found.empty()) return found;
    }
  }
  return {};
}

}  // namespace

std::vector<std::string> storedPathParts(const std::string& storedPath) {
  std::string rest = storedPath.rfind("X:\\", 0) == 0 ? storedPath.substr(3) : storedPath;
  return split(rest, '\\');
}

std::vector<std::string> baseDirParts(const std::string& baseDir) {
  if (windowsBase(baseDir)) return split(baseDir.substr(2), '\\');
  return split(baseDir, '/');
}

std::string resolveParts(const std::string& dir, const std::vector<std::string>& parts) {
  if (parts.empty()) return exists(dir) ? dir : std::string();
  int budget = 4096;  // joins to try: plenty for real names, bounded for odd ones
  return resolveFrom(dir, parts, 0, budget);
}

MediaLocator::MediaLocator(Dialogs& dialogs, LanguageFile& language, VolumeSource volumes)
    : dialogs_(dialogs), language_(language), volumes_(volumes ? std::move(volumes) : mountedVolumes) {}

std::string MediaLocator::findOnce(const std::string& storedPath, const std::string& baseDir,
                                   bool removable, const std::string& createSerial,
                                   std::string& shownPath) {
  std::vector<std::string> base = baseDirParts(baseDir);
  std::vector<std::string> rel = storedPathParts(storedPath);
  // Where it was catalogued.
  if (!windowsBase(baseDir)) {
    shownPath = baseDir;
    for (std::size_t i = 0; i < rel.size(); ++i) shownPath += (i ? "/" : "") + rel[i];
    if (std::string found = resolveParts(baseDir.empty() ? "/" : baseDir, rel); !found.empty())
      return found;
  } else {
    shownPath = baseDir + storedPath.substr(storedPath.rfind("X:\\", 0) == 0 ? 3 : 0);
  }
  // On the volumes of the same class: below each mount point, the path from one of the
  // base directory's folders on, longest first (never cutting into the part below it).
  for (const Volume& v : volumesForLocate(volumes_(), createSerial, removable)) {
    for (std::size_t keep = 0; keep <= base.size(); ++keep) {
      std::vector<std::string> parts(base.end() - static_cast<std::ptrdiff_t>(keep), base.end());
      parts.insert(parts.end(), rel.begin(), rel.end());
      if (parts.empty()) {
        // The catalogued volume's own root: only the volume that carries its serial.
        if (!createSerial.empty() && v.serialText() == createSerial) return v.mountPoint;
        continue;
      }
      if (std::string found = resolveParts(v.mountPoint, parts); !found.empty()) return found;
    }
  }
  return {};
}

std::string MediaLocator::LocateOnMedia(const std::string& storedPath, const std::string& baseDir,
                                        const std::string& label, bool removable,
                                        const std::string& createSerial) {
  while (true) {
    std::string shown;
    std::string found = findOnce(storedPath, baseDir, removable, createSerial, shown);
    if (!found.empty()) return found;
    if (dialogs_.ask(language_.format("A026", {shown, label})) != Answer::Yes) return {};
  }
}

}  // namespace kolvex
