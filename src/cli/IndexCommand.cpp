#include "cli/IndexCommand.h"

#include <ostream>

#include "cli/CliEnvironment.h"
#include "cli/FieldText.h"
#include "core/index/IndexMaintenance.h"

namespace kolvex::cli {

void IndexCommand::setup(CLI::App& sub) {
  sub.add_option("--archives", archives_,
                 "The catalog folder (default: the one --version names)");
  sub.add_flag("--rebuild", rebuild_, "Build every index again, even one that is up to date");
}

int IndexCommand::run(Io& io) {
  const auto all = CliEnvironment::catalogFolderEntries(archives_, io.err);
  if (!all) return kExitFailure;
  int status = kExitOk;
  for (const ArchiveEntry& a : *all) {
    std::string error;
    switch (index::EnsureIndex(a.path, rebuild_, error)) {
      case index::IndexOutcome::Fresh:
        io.out << "fresh\t" << fieldText(a.path) << "\n";
        break;
      case index::IndexOutcome::Built:
        io.out << "built\t" << fieldText(a.path) << "\n";
        break;
      case index::IndexOutcome::Failed:
        // A damaged catalog gets no index; the search reads it and reports the damage.
        io.out << "failed\t" << fieldText(a.path) << "\n";
        io.err << "kolvex-cli: " << a.path << ": " << error << "\n";
        status = kExitFailure;
        break;
    }
  }
  return status;
}

}  // namespace kolvex::cli
