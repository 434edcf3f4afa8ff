#pragma once
// Where each of the program's files lives. Both front ends ask this object and nothing
// else decides it.
//
// Portable: the program's own folder holds Options.cfg and is writable; then it holds
// everything (the build's application folder, or a copy of it anywhere).
// Installed: otherwise. The read-only resources (IPack.ipk, Default.cfg, Languages/, the
// help page) come from the share folder found relative to the program (bin/ ->
// share/kolvex/, so any prefix works and a moved installation too); the user's files
// (Options.cfg, Archives/, the hand-off file, the probe files) live in
// $XDG_DATA_HOME/Kolvex/ (~/.local/share/Kolvex/ by default).
#include <string>

namespace kolvex {

class AppPaths {
 public:
  enum class Mode { Portable, Installed };

  // Decides the mode for the program in programDir. resourcesFromProgram: the share
  // folder relative to the program's folder ("../share/kolvex"); dataHome: the user's
  // data folder ($XDG_DATA_HOME or ~/.local/share), empty when the user has no home.
  static AppPaths decide(const std::string& programDir, const std::string& resourcesFromProgram,
                         const std::string& dataHome);
  // A portable application folder, whatever it holds.
  static AppPaths portable(const std::string& folder);

  Mode mode() const { return mode_; }
  // Folders, each with a trailing '/'. userDir() is empty when installed for a user
  // without a home folder.
  const std::string& programDir() const { return programDir_; }
  const std::string& resourceDir() const { return resourceDir_; }
  const std::string& userDir() const { return userDir_; }

  std::string programFile() const { return programDir_ + "kolvex"; }
  std::string interfacePackFile() const { return resourceDir_ + "IPack.ipk"; }
  std::string defaultOptionsFile() const;
  std::string languagesDir() const { return resourceDir_ + "Languages/"; }
  std::string helpFile() const { return resourceDir_ + "Kolvex.html"; }
  std::string optionsFile() const;
  std::string archivesDir() const { return userDir_.empty() ? "" : userDir_ + "Archives/"; }
  // The portable folder's own menu entry and the icon it shows.
  std::string launcherFile() const { return programDir_ + "Kolvex.desktop"; }
  std::string launcherIcon() const { return programDir_ + "kolvex.png"; }

  // Installed: makes the user's folder and its Archives/, and the user's Options.cfg from
  // Default.cfg when there is none. Portable: nothing. False when the folders could not be
  // made; error then says why. A missing Options.cfg is left to the start-up check.
  bool prepareUserFolder(std::string& error) const;
  // Portable: writes the folder's Kolvex.desktop when it does not start this folder's
  // program yet (a new or copied folder). False when it could not be written.
  bool refreshLauncher() const;
  // Lines "Mode: portable", "Program: ...", "Resources: ...", "User files: ...",
  // "Catalogs: ..." for the command line's --version.
  std::string description() const;

 private:
  Mode mode_ = Mode::Portable;
  std::string programDir_;
  std::string resourceDir_;
  std::string userDir_;
};

}  // namespace kolvex
