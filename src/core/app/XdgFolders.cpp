#include "core/app/XdgFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace kolvex::xdg {
namespace {

std::string withoutTrailingSlashes(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

std::string underHome(const char* variable, const char* fallback) {
  const char* set = std::getenv(variable);
  if (set && set[0] == '/') return withoutTrailingSlashes(set);
  const std::string home = homeFolder();
  if (home.empty()) return {};
  return (home == "/" ? std::string() : home) + fallback;
}

}  // namespace

std::string homeFolder() {
  std::string home;
  if (const char* h = std::getenv("HOME"); h && h[0] == '/') {
    home = h;
  } else {
    std::vector<char> buf(16384);
    passwd pw{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &pw, buf.data(), buf.size(), &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/')
      home = found->pw_dir;
  }
  return withoutTrailingSlashes(home);
}

std::string configHome() { return underHome("XDG_CONFIG_HOME", "/.config"); }
std::string dataHome() { return underHome("XDG_DATA_HOME", "/.local/share"); }
std::string cacheHome() { return underHome("XDG_CACHE_HOME", "/.cache"); }

bool makeFolders(const std::string& dir) {
  if (dir.empty() || dir.front() != '/') return false;
  std::size_t pos = 0;
  while (pos != std::string::npos) {
    pos = dir.find('/', pos + 1);
    std::string part = dir.substr(0, pos);
    if (part.empty() || part.back() == '/') continue;
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat st {};
  return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace kolvex::xdg
