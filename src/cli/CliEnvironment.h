#pragma once
// What every catalogue-writing command needs from the application folder: the options
// (Options.cfg, the factory settings when it is missing or unreadable) and the texts of
// the language they name.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/catalog/ArchiveList.h"

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
  // The entries of that prepared folder; nothing when it cannot be read, after saying why
  // on err.
  static std::optional<std::vector<ArchiveEntry>> catalogFolderEntries(const std::string& given,
                                                                        std::ostream& err);
  static bool stdinIsTerminal();
  static bool stderrIsTerminal();
};

}  // namespace kolvex::cli
