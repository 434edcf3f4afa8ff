#include "cli/CliEnvironment.h"

#include <sys/stat.h>
#include <unistd.h>

#include "core/app/OptionsFile.h"
#include "core/catalog/AppDir.h"
#include "core/persist/PersistError.h"

namespace kolvex::cli {
namespace {

// The user's settings; before anything has made them, the shipped factory settings.
TSCOptions loadedOptions() {
  TSCOptions o;
  o.setFactoryValues();
  std::string file = Paths().optionsFile();
  struct stat st {};
  if (file.empty() || ::stat(file.c_str(), &st) != 0) file = Paths().defaultOptionsFile();
  try {
    loadOptions(o, file);
  } catch (const EStreamError&) {
    // loadOptions leaves the options as they were: the factory settings.
  }
  return o;
}

}  // namespace

CliEnvironment::CliEnvironment() : texts(LanguagesDir(), "") {
  TSCOptions loaded = loadedOptions();
  copyOptions(loaded, options);
  texts.setLanguageName(options.LanguageName);
}

std::string CliEnvironment::archivesDir(const std::string& given) {
  if (given.empty()) return ArchivesDir();
  return given.back() == '/' ? given : given + "/";
}

std::string CliEnvironment::preparedArchivesDir(const std::string& given) {
  if (given.empty()) {
    // A failure shows when the folder is read or written.
    std::string error;
    Paths().prepareUserFolder(error);
  }
  return archivesDir(given);
}

std::optional<std::vector<ArchiveEntry>> CliEnvironment::catalogFolderEntries(
    const std::string& given, std::ostream& err) {
  try {
    return ListArchives(preparedArchivesDir(given));
  } catch (const EStreamError& e) {
    err << "kolvex-cli: " << e.what() << "\n";
    return std::nullopt;
  }
}

bool CliEnvironment::stdinIsTerminal() { return ::isatty(0) == 1; }
bool CliEnvironment::stderrIsTerminal() { return ::isatty(2) == 1; }

}  // namespace kolvex::cli
