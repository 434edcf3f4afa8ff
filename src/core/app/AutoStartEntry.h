#pragma once
// The automatic start at log-on: the desktop entry "autostart/Kolvex.desktop" in the
// user's configuration folder, which starts the program hidden in the tray ("/am").
#include <string>

#include "core/persist/FileOps.h"

namespace kolvex {

class AutoStartEntry {
 public:
  // configHome: the folder that holds "autostart/"; userConfigHome() for the real one.
  explicit AutoStartEntry(std::string configHome, FileOps& ops = posixFileOps());

  // $XDG_CONFIG_HOME when it is an absolute path, else the home folder + "/.config";
  // empty when there is no home folder.
  static std::string userConfigHome();
  // The entry's text for the program at executablePath.
  static std::string desktopEntry(const std::string& executablePath);

  std::string path() const;
  // Writes the entry when autoStart is set (replacing it atomically, so it is never
  // half-written), removes it otherwise. Failures are silent for the user; the result
  // says whether the entry is now as asked.
  bool apply(bool autoStart, const std::string& executablePath);

 private:
  std::string configHome_;
  FileOps& ops_;
};

}  // namespace kolvex
