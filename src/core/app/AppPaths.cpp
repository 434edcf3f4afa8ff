#include "core/app/AppPaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/app/DesktopEntryText.h"
#include "core/app/OptionsFile.h"
#include "core/persist/FileOps.h"
#include "core/app/XdgFolders.h"
#include "core/persist/AtomicFileWriter.h"
#include "core/persist/PersistError.h"
#include "core/persist/TextCodec.h"

namespace kolvex {
namespace {

// The user's folder below the data home; named like the program, as desktops show it.
constexpr const char* kUserFolderName = "Kolvex";

std::string withSlash(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

// "/usr/bin/../share/kolvex" gives "/usr/share/kolvex/". The program's folder comes from
// the kernel with every link resolved, so folding ".." by name is exact.
std::string normalFolder(const std::string& dir) {
  return withSlash(std::filesystem::path(dir).lexically_normal().string());
}

bool entryExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// Options.cfg made from Default.cfg: the same bytes, written atomically so that a
// failure leaves no half file behind for the start-up check to trip over.
void copyDefaults(const std::string& from, const std::string& to) {
  if (!isRegularFile(from)) return;
  std::ifstream in(from, std::ios::binary);
  if (!in) return;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in && !in.eof()) return;
  try {
    AtomicFileWriter out(to);
    out.stream().write(bytes.str());
    out.commit();
  } catch (const EStreamError&) {
    // Reported by the start-up check, which finds no Options.cfg.
  }
}

}  // namespace

AppPaths AppPaths::decide(const std::string& programDir, const std::string& resourcesFromProgram,
                          const std::string& dataHome) {
  AppPaths paths = portable(programDir);
  if (isRegularFile(paths.optionsFile()) && ::access(paths.programDir_.c_str(), W_OK) == 0)
    return paths;

  paths.mode_ = Mode::Installed;
  paths.resourceDir_ = normalFolder(paths.programDir_ + resourcesFromProgram);
  paths.userDir_ = dataHome.empty() || dataHome.front() != '/'
                       ? std::string()
                       : normalFolder(dataHome) + kUserFolderName + '/';
  return paths;
}

AppPaths AppPaths::portable(const std::string& folder) {
  AppPaths paths;
  paths.mode_ = Mode::Portable;
  paths.programDir_ = withSlash(folder);
  paths.resourceDir_ = paths.programDir_;
  paths.userDir_ = paths.programDir_;
  return paths;
}

std::string AppPaths::defaultOptionsFile() const { return resourceDir_ + kDefaultOptionsFileName; }
std::string AppPaths::optionsFile() const {
  return userDir_.empty() ? std::string() : userDir_ + kOptionsFileName;
}

bool AppPaths::prepareUserFolder(std::string& error) const {
  if (mode_ == Mode::Portable) return true;
  if (userDir_.empty()) {
    error = "there is no home folder for the user's files";
    return false;
  }
  if (!xdg::makeFolders(archivesDir())) {
    error = "cannot create " + archivesDir() + ": " + std::strerror(errno);
    return false;
  }
  if (!entryExists(optionsFile())) copyDefaults(defaultOptionsFile(), optionsFile());
  return true;
}

bool AppPaths::refreshLauncher() const {
  if (mode_ != Mode::Portable || !isValidUtf8(programDir_)) return false;
  const std::string entry = menuEntry(programFile(), launcherIcon());
  // An entry that already starts this folder's program is the user's to change.
  const std::size_t exec = entry.find("\nExec=");
  const std::string execLine = entry.substr(exec, entry.find('\n', exec + 1) - exec);
  std::ifstream in(launcherFile(), std::ios::binary);
  std::ostringstream current;
  if (in) current << in.rdbuf();
  if (current.str().find(execLine + "\n") != std::string::npos) return true;
  return writeDesktopEntry(launcherFile(), entry);
}

std::string AppPaths::description() const {
  return std::string("Mode: ") + (mode_ == Mode::Portable ? "portable" : "installed") +
         "\nProgram: " + programDir_ + "\nResources: " + resourceDir_ +
         "\nUser files: " + userDir_ + "\nCatalogs: " + archivesDir() + "\n";
}

}  // namespace kolvex
