#include "cli/ScanSession.h"

#include <iostream>

#include "cli/Command.h"

namespace kolvex::cli {

Terminal realTerminal() {
  bool tty = CliEnvironment::stderrIsTerminal();
  return {tty && CliEnvironment::stdinIsTerminal(), tty, &std::cin};
}

ScanSession::ScanSession(std::ostream& err, const Terminal& terminal,
                         const std::string& archivesDir)
    : err_(err),
      volumes_(probe_),
      dialogs_(err, terminal.interactive ? terminal.in : nullptr),
      progress_(err, terminal.progress),
      context_{env_.options, volumes_, icons_,    dialogs_,
               env_.texts,   pump_,    progress_, CliEnvironment::archivesDir(archivesDir)},
      scanner_(context_) {}

int ScanSession::report(const ScanResult& result, const std::string& catalogPath,
                        const TSCCDInfo& header, std::ostream& out) {
  switch (result.outcome) {
    case ScanOutcome::Done:
      out << catalogPath << "\n"
          << header.TotalFiles << " files, " << header.TotalDirectories << " folders, "
          << result.records << " records\n";
      if (result.unreadableFolders > 0)
        err_ << "kolvex-cli: warning: " << result.unreadableFolders
             << " folder(s) could not be read and are catalogued as far as they could\n";
      if (result.unreadableFiles > 0)
        err_ << "kolvex-cli: warning: " << result.unreadableFiles
             << " file(s) could not be read, or changed while they were read, and have no "
                "fingerprint\n";
      return kExitOk;
    case ScanOutcome::Cancelled:
      err_ << "kolvex-cli: cancelled; " << catalogPath << " is as it was\n";
      return kExitFailure;
    case ScanOutcome::Failed:
      // The dialog said that it failed; this says why, unless it said that too.
      if (!result.reason.empty() && !dialogs_.said(result.reason))
        err_ << "kolvex-cli: " << result.reason << "\n";
      return kExitFailure;
    case ScanOutcome::Refused:
      return kExitFailure;
  }
  return kExitFailure;
}

}  // namespace kolvex::cli
