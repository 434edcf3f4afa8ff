#include "core/app/AutoStartEntry.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/persist/AtomicFileWriter.h"
#include "core/persist/PersistError.h"
#include "core/persist/TextCodec.h"

namespace kolvex {
namespace {

std::string withoutTrailingSlashes(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

// Creates the folder and any missing parents, private to the user as the base directory
// rules ask for folders made on the user's behalf.
bool makeFolders(const std::string& dir) {
  std::size_t pos = 0;
  while (pos != std::string::npos) {
    pos = dir.find('/', pos + 1);
    std::string part = dir.substr(0, pos);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat st {};
  return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// One argument of an Exec line: in double quotes, with '"', '`', '$' and '\' escaped by a
// backslash, and '%' doubled because a lone '%' starts a field code.
std::string quotedArgument(const std::string& arg) {
  std::string out = "\"";
  for (char c : arg) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
    out += c;
    if (c == '%') out += '%';
  }
  return out + '"';
}

// A value of type string: backslashes and control characters are escaped.
std::string escapedValue(const std::string& value) {
  std::string out;
  for (char c : value) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool readsAs(const std::string& path, const std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str() == content;
}

}  // namespace

AutoStartEntry::AutoStartEntry(std::string configHome, FileOps& ops)
    : configHome_(withoutTrailingSlashes(std::move(configHome))), ops_(ops) {}

std::string AutoStartEntry::userConfigHome() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  // The base directory rules ignore a relative path here.
  if (xdg && xdg[0] == '/') return withoutTrailingSlashes(xdg);
  std::string home;
  if (const char* h = std::getenv("HOME"); h && h[0] == '/') {
    home = h;
  } else {
    std::vector<char> buf(16384);
    passwd pw{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &pw, buf.data(), buf.size(), &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/') {
      home = found->pw_dir;
    }
  }
  if (home.empty()) return {};
  home = withoutTrailingSlashes(home);
  return (home == "/" ? "" : home) + "/.config";
}

std::string AutoStartEntry::desktopEntry(const std::string& executablePath) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Kolvex\n"
         "Comment=Catalogue of discs and folders\n"
         "Exec=" +
         escapedValue(quotedArgument(executablePath) + " /am") +
         "\n"
         "Terminal=false\n";
}

std::string AutoStartEntry::path() const {
  return configHome_.empty() ? std::string() : configHome_ + "/autostart/Kolvex.desktop";
}

bool AutoStartEntry::apply(bool autoStart, const std::string& executablePath) {
  if (configHome_.empty() || configHome_.front() != '/') return false;
  const std::string target = path();
  if (!autoStart) return ops_.unlink(target) == 0 || errno == ENOENT;

  // A desktop entry is UTF-8 text; a path that is not cannot be named in one.
  if (executablePath.empty() || !isValidUtf8(executablePath)) return false;
  const std::string content = desktopEntry(executablePath);
  if (readsAs(target, content)) return true;
  if (!makeFolders(configHome_ + "/autostart")) return false;
  try {
    AtomicFileWriter out(target, ops_);
    out.stream().write(content);
    out.commit();
    return true;
  } catch (const EStreamError&) {
    return false;
  }
}

}  // namespace kolvex
