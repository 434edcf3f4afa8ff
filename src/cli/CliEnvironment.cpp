#include "cli/CliEnvironment.h"

#include <unistd.h>

#include "core/app/OptionsFile.h"
#include "core/catalog/AppDir.h"
#include "core/persist/PersistError.h"

namespace kolvex::cli {
namespace {

TSCOptions loadedOptions() {
  TSCOptions o;
  o.setFactoryValues();
  try {
    loadOptions(o, AppDir() + kOptionsFileName);
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

bool CliEnvironment::stdinIsTerminal() { return ::isatty(0) == 1; }
bool CliEnvironment::stderrIsTerminal() { return ::isatty(2) == 1; }

}  // namespace kolvex::cli
