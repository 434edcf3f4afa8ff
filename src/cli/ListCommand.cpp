#include "cli/ListCommand.h"

#include <ostream>
#include <sstream>

#include "cli/CliEnvironment.h"
#include "cli/FieldText.h"

namespace kolvex::cli {

void ListCommand::setup(CLI::App& sub) {
  sub.add_option("--archives", archives_,
                 "The catalog folder (default: the one --version names)");
}

int ListCommand::run(Io& io) {
  const auto all = CliEnvironment::catalogFolderEntries(archives_, io.err);
  if (!all) return kExitFailure;
  std::ostringstream out;
  int status = kExitOk;
  for (const ArchiveEntry& a : *all) {
    if (!a.header) {
      io.err << "kolvex-cli: " << a.path << ": " << a.error << "\n";
      status = kExitFailure;
      continue;
    }
    const TSCCDInfo& h = *a.header;
    // A volume that told no capacity stores -1: "unknown", as the manager says.
    const std::string capacity = h.CDSize < 0 ? "unknown" : std::to_string(h.CDSize);
    out << fieldText(h.CDLabel) << '\t' << fieldText(h.CDFormat) << '\t'
        << dateField(h.CreateDateTime) << '\t' << capacity << '\t' << fieldText(h.BaseDir)
        << '\t' << fieldText(a.path) << '\n';
  }
  io.out << out.str();
  return status;
}

}  // namespace kolvex::cli
