#include "core/catalog/AppDir.h"

#include <unistd.h>

#include <climits>
#include <optional>

#include "core/app/XdgFolders.h"

#ifndef KOLVEX_RESOURCES_FROM_PROGRAM
#define KOLVEX_RESOURCES_FROM_PROGRAM "../share/kolvex"
#endif

namespace kolvex {
namespace {

std::optional<AppPaths>& overridePaths() {
  static std::optional<AppPaths> paths;
  return paths;
}

std::string executableDir() {
  char buf[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  std::string path(buf, static_cast<std::size_t>(n));
  return path.substr(0, path.rfind('/') + 1);
}

}  // namespace

const AppPaths& Paths() {
  if (overridePaths()) return *overridePaths();
  static const AppPaths paths =
      AppPaths::decide(executableDir(), KOLVEX_RESOURCES_FROM_PROGRAM, xdg::dataHome());
  return paths;
}

void setAppDirForTesting(const std::string& dir) {
  if (dir.empty())
    overridePaths().reset();
  else
    overridePaths() = AppPaths::portable(dir);
}

std::string ArchivesDir() { return Paths().archivesDir(); }
std::string LanguagesDir() { return Paths().languagesDir(); }

}  // namespace kolvex
