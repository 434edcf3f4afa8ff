#pragma once
// The seams of one scan from the command line: the real volumes, messages and questions
// on the terminal, the progress bar on standard error, Ctrl+C as Cancel. Catalogs made
// here carry no icons: the desktop's icon theme is the program's business.
#include <iosfwd>
#include <string>

#include "cli/CliEnvironment.h"
#include "cli/InterruptPump.h"
#include "cli/TerminalDialogs.h"
#include "cli/TerminalProgress.h"
#include "core/app/IconProvider.h"
#include "core/catalog/VolumeScanner.h"
#include "platform/LinuxSystemProbe.h"
#include "platform/VolumeTable.h"

namespace kolvex::cli {

struct Terminal {
  bool interactive;  // questions can be asked
  bool progress;     // the bar can be drawn
  std::istream* in;  // where answers come from
};

// The real terminal: questions when standard input and error both are one.
Terminal realTerminal();

class ScanSession {
 public:
  ScanSession(std::ostream& err, const Terminal& terminal, const std::string& archivesDir);
  ScanSession(const ScanSession&) = delete;
  ScanSession& operator=(const ScanSession&) = delete;

  VolumeScanner& scanner() { return scanner_; }
  ScanContext& context() { return context_; }
  CliEnvironment& environment() { return env_; }
  // The messages of the scan name this (the catalog an update rewrites).
  void setSubject(const std::string& subject) { dialogs_.setSubject(subject); }

  // The outcome of a scan as the command prints it: the catalog and its totals on
  // standard output, or the reason on standard error. Returns the exit status.
  int report(const ScanResult& result, const std::string& catalogPath, const TSCCDInfo& header,
             std::ostream& out);

 private:
  std::ostream& err_;
  CliEnvironment env_;
  LinuxSystemProbe probe_;
  VolumeTable volumes_;
  NoIconProvider icons_;
  TerminalDialogs dialogs_;
  TerminalProgress progress_;
  InterruptPump pump_;
  ScanContext context_;
  VolumeScanner scanner_;
};

}  // namespace kolvex::cli
