#include "core/catalog/AppDir.h"

#include <unistd.h>

#include <climits>

namespace kolvex {
namespace {

std::string& overrideDir() {
  static std::string dir;
  return dir;
}

std::string executableDir() {
  char buf[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  std::string path(buf, static_cast<std::size_t>(n));
  return path.substr(0, path.rfind('/') + 1);
}

}  // namespace

std::string AppDir() {
  if (!overrideDir().empty()) return overrideDir();
  static const std::string dir = executableDir();
  return dir;
}

void setAppDirForTesting(const std::string& dir) {
  overrideDir() = dir.empty() || dir.back() == '/' ? dir : dir + "/";
}

std::string ArchivesDir() { return AppDir() + "Archives/"; }
std::string LanguagesDir() { return AppDir() + "Languages/"; }

}  // namespace kolvex
