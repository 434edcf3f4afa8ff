#include "cli/ScanCommand.h"

#include <sys/stat.h>

#include <ostream>

#include "core/catalog/CatalogTarget.h"
#include "core/catalog/FileNames.h"

namespace kolvex::cli {

ScanCommand::ScanCommand() : terminal_(realTerminal()) {}

void ScanCommand::setup(CLI::App& sub) {
  sub.add_option("PATH", path_, "The folder or mount point to catalogue")->required();
  sub.add_option("--archives", archives_,
                 "The catalog folder (default: the one --version names)");
  sub.add_option("--label", label_, "The catalog's label instead of the volume's");
  sub.add_flag("--yes,-y", yes_, "Replace a catalog of the same name without asking");
  sub.add_flag("--hash", hash_,
               "Record content fingerprints: read every file once more after the walk and "
               "keep its 128-bit XXH3 hash in a .qfp file beside the catalog");
}

int ScanCommand::run(Io& io) {
  ScanSession session(io.err, terminal_, CliEnvironment::preparedArchivesDir(archives_));
  VolumeScanner& scanner = session.scanner();
  session.context().fingerprints = hash_;
  TSCCDInfo header;
  if (!scanner.GetVolumeInfo(path_, header)) {
    io.err << "kolvex-cli: " << path_ << ": " << session.environment().texts.message("A001")
           << "\n";
    if (!scanner.volumeProblem().empty()) io.err << "kolvex-cli: " << scanner.volumeProblem() << "\n";
    return kExitFailure;
  }
  if (!scanner.descriptionNote().empty())
    io.err << "kolvex-cli: warning: " << scanner.descriptionNote() << "\n";
  if (label_) {
    header.CDLabel = ReplaceInvalidChars(*label_);
    if (header.CDLabel.empty()) {
      io.err << "kolvex-cli: " << session.environment().texts.message("A018") << "\n";
      return kExitUsage;
    }
  }
  const std::string catalog = scanner.ArchiveFileNameFor(header);
  if (std::string problem = CatalogNameProblem(catalog); !problem.empty()) {
    io.err << "kolvex-cli: " << problem << "\n";
    return kExitFailure;
  }
  struct stat st {};
  if (!yes_ && ::lstat(catalog.c_str(), &st) == 0) {
    if (!terminal_.interactive) {
      io.err << "kolvex-cli: " << catalog
             << " already exists; give --yes to replace it without a question\n";
      return kExitFailure;
    }
    if (!scanner.ConfirmOverwrite(true, false, catalog)) {
      io.err << "kolvex-cli: " << catalog << " is left as it was\n";
      return kExitFailure;
    }
  }
  ScanResult result = scanner.CreateArchive(false, true, header, header.BaseDir, catalog);
  return session.report(result, catalog, header, io.out);
}

}  // namespace kolvex::cli
