#include "cli/ExportCommand.h"

#include <ostream>

#include "cli/ExportOutput.h"
#include "cli/InterruptPump.h"
#include "core/persist/CatalogFolder.h"
#include "core/persist/PersistError.h"
#include "core/report/CatalogExport.h"

namespace kolvex::cli {

void ExportCommand::setup(CLI::App& sub) {
  sub.add_option("CATALOG", catalog_, "The catalog file")->required();
  sub.add_option("FOLDER", folder_,
                 "A folder below the scanned one, parts separated by / (default: all of it)");
  sub.add_option("--format", format_,
                 "csv (RFC 4180, UTF-8, a header row), jsonl (one JSON object per entry, as "
                 "ls --json with the catalog label) or html (one page with the header details, "
                 "the folder tree with totals and a sortable table); default csv")
      ->check(ExportFormatCheck(true));
  sub.add_option("-o,--output", output_,
                 "The file to write (default: standard output); it is replaced only when the "
                 "export is complete");
}

int ExportCommand::run(Io& io) {
  InterruptPump signals;  // Ctrl+C stops the export; a file being written is not kept
  try {
    CatalogReader reader(catalog_);
    const std::optional<CatalogFolder> folder = FindCatalogFolder(reader, folder_);
    if (!folder) {
      io.err << "kolvex-cli: " << catalog_ << " has no folder " << folder_ << "\n";
      return kExitFailure;
    }
    return WriteExport(io, catalog_, output_, *ExportFormatNamed(format_), [&](ExportWriter& writer) {
      return ExportCatalogFolder(reader, catalog_, folder->position, folder->path, writer,
                                 [](std::int64_t, std::int64_t) { return !InterruptPump::interrupted(); });
    });
  } catch (const EStreamError& e) {
    io.err << "kolvex-cli: " << catalog_ << ": " << e.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace kolvex::cli
