#include "core/app/AutoStartEntry.h"

#include <cerrno>

#include "core/app/DesktopEntryText.h"
#include "core/app/XdgFolders.h"
#include "core/persist/TextCodec.h"

namespace kolvex {
namespace {

std::string withoutTrailingSlashes(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

}  // namespace

AutoStartEntry::AutoStartEntry(std::string configHome, FileOps& ops)
    : configHome_(withoutTrailingSlashes(std::move(configHome))), ops_(ops) {}

std::string AutoStartEntry::userConfigHome() { return xdg::configHome(); }

std::string AutoStartEntry::desktopEntry(const std::string& executablePath) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Kolvex\n"
         "Comment=Catalogue of discs and folders\n"
         "Exec=" +
         desktopEntryValue(execArgument(executablePath) + " /am") +
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
  if (!xdg::makeFolders(configHome_ + "/autostart")) return false;
  return writeDesktopEntry(target, desktopEntry(executablePath), ops_);
}

}  // namespace kolvex
