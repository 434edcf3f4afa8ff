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

  // display: where this launch is (InstanceNames::displayName; empty to leave it out).
  // otherDisplay, when given, receives the running copy's display when it is another one:
  // its window came to the front there, out of this launch's sight.
  static Result run(const QString& serverName, const std::string& appDir,
                    const CommandLine& commandLine, Timing timing, const QString& display = {},
                    QString* otherDisplay = nullptr);
  static Result run(const QString& serverName, const std::string& appDir,
                    const CommandLine& commandLine) {
    return run(serverName, appDir, commandLine, Timing{});
  }

  // What the launch tells the user after a hand-off: nothing when the window came to the
  // front on its display; else where it is, or why the running copy was not reached.
  struct Report {
    QString text;         // empty: nothing to say
    bool failed = false;  // the launch could not do what it was started for
  };
  static Report report(Result result, const QString& otherDisplay);
};

}  // namespace kolvex
