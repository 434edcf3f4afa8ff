#pragma once
// The second launch's part: bring the running copy's window to view and hand over the
// folder of the command line. Each message waits until the running copy has handled it.
#include <QString>
#include <string>

#include "ui/shell/CommandLine.h"

namespace kolvex {

class HandOff {
 public:
  struct Timing {
    int connectMs = 10000;  // the running copy may be between taking the lock and listening
    int answerMs = 60000;   // it answers between two steps of its work
  };

  // What happened, for tests and for the exit status.
  enum class Result { Shown, FolderHandedOver, NoRunningCopy, StaleFileStays, WriteFailed };

  static Result run(const QString& serverName, const std::string& appDir,
                    const CommandLine& commandLine, Timing timing);
  static Result run(const QString& serverName, const std::string& appDir,
                    const CommandLine& commandLine) {
    return run(serverName, appDir, commandLine, Timing{});
  }
};

}  // namespace kolvex
