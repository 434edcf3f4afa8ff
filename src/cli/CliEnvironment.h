#pragma once
// What every catalogue-writing command needs from the application folder: the options
// (Options.cfg, the factory settings when it is missing or unreadable) and the texts of
// the language they name.
#include <string>

#include "core/app/LanguageFile.h"
#include "core/persist/TSCOptions.h"

namespace kolvex::cli {

class CliEnvironment {
 public:
  CliEnvironment();

  TSCOptions options;
  LanguageFile texts;

  // The catalog folder: the one given, with a trailing '/', else the user's Archives/.
  static std::string archivesDir(const std::string& given);
  // The same for a command that works in the folder: an installed copy's first use makes
  // the user's folder (Archives/ and Options.cfg) when none is given.
  static std::string preparedArchivesDir(const std::string& given);
  static bool stdinIsTerminal();
  static bool stderrIsTerminal();
};

}  // namespace kolvex::cli
