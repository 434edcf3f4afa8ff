#pragma once
// What the program does from its launch until the main window may be built: the check
// of the required files, the probe files, and the single-instance decision with the
// hand-off of a second launch. Nothing here creates a window.
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "core/app/AppPaths.h"
#include "ui/shell/CommandLine.h"
#include "ui/shell/HandOff.h"

namespace kolvex {

class InstanceLock;
class InstanceServer;

class Startup {
 public:
  enum class Outcome { Refused, HandedOff, Primary };
  // Shows the start-up error (caption "Kolvex Error") and returns when it is closed.
  using ErrorBox = std::function<void(const std::string& text)>;

  // runtimeFolder: where the lock and the socket live (InstanceNames::runtimeFolder()).
  Startup(AppPaths paths, CommandLine commandLine, QString runtimeFolder, ErrorBox errorBox);
  // A portable application folder.
  Startup(const std::string& appDir, CommandLine commandLine, QString runtimeFolder,
          ErrorBox errorBox)
      : Startup(AppPaths::portable(appDir), std::move(commandLine), std::move(runtimeFolder),
                std::move(errorBox)) {}
  ~Startup();

  Outcome prepare(HandOff::Timing timing = {});

  // Primary only: the listening socket of the hand-off (null when it could not be made:
  // the program then runs without receiving hand-offs).
  InstanceServer* server() const { return server_.get(); }
  // Why the single-instance lock or the socket could not be made; empty when all is well.
  const QString& warning() const { return warning_; }
  HandOff::Result handOffResult() const { return handOffResult_; }
  // After a hand-off: the running copy's display when it is not this launch's.
  const QString& otherDisplay() const { return otherDisplay_; }

 private:
  AppPaths paths_;
  CommandLine commandLine_;
  QString runtimeFolder_;
  ErrorBox errorBox_;
  std::unique_ptr<InstanceLock> lock_;
  std::unique_ptr<InstanceServer> server_;
  QString warning_;
  HandOff::Result handOffResult_ = HandOff::Result::NoRunningCopy;
  QString otherDisplay_;
};

}  // namespace kolvex
