#include "cli/UpdateCommand.h"

#include "core/catalog/UpdateArchive.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"

namespace kolvex::cli {

UpdateCommand::UpdateCommand() : terminal_(realTerminal()) {}

void UpdateCommand::setup(CLI::App& sub) {
  sub.add_option("CATALOG", catalog_, "The catalog file to update")->required();
}

int UpdateCommand::run(Io& io) {
  ScanSession session(io.err, terminal_, {});
  session.setSubject(catalog_);
  // Giving the command is the confirmation: no question A028.
  ScanResult result = UpdateArchive(session.scanner(), session.context(), catalog_, false);
  if (result.outcome != ScanOutcome::Done) return session.report(result, catalog_, {}, io.out);
  try {
    CatalogReader reader(catalog_);
    return session.report(result, catalog_, reader.header(), io.out);
  } catch (const EStreamError& e) {
    io.err << "kolvex-cli: " << catalog_ << ": " << e.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace kolvex::cli
