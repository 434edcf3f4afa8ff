#include "ui/shell/Startup.h"

#include "ui/shell/InstanceLock.h"
#include "ui/shell/InstanceNames.h"
#include "ui/shell/InstanceServer.h"
#include "ui/shell/ProbeFiles.h"
#include "ui/shell/RequiredFiles.h"

namespace kolvex {

Startup::Startup(AppPaths paths, CommandLine commandLine, QString runtimeFolder,
                 ErrorBox errorBox)
    : paths_(std::move(paths)),
      commandLine_(std::move(commandLine)),
      runtimeFolder_(std::move(runtimeFolder)),
      errorBox_(std::move(errorBox)) {}

Startup::~Startup() = default;

Startup::Outcome Startup::prepare(HandOff::Timing timing) {
  std::string folderError;
  if (!paths_.prepareUserFolder(folderError)) warning_ = QString::fromStdString(folderError);
  if (!RequiredFiles::present(paths_)) {
    if (errorBox_) errorBox_(RequiredFiles::kErrorText);
    return Outcome::Refused;
  }
  ProbeFiles::create(paths_.userDir());
  paths_.refreshLauncher();

  if (runtimeFolder_.isEmpty()) {
    warning_ = "no private runtime folder for the single-instance lock";
    return Outcome::Primary;
  }
  lock_ = std::make_unique<InstanceLock>(InstanceNames::lockPath(runtimeFolder_));
  switch (lock_->acquire()) {
    case InstanceLock::State::HeldByOther:
      handOffResult_ =
          HandOff::run(InstanceNames::serverName(runtimeFolder_), paths_.userDir(), commandLine_,
                       timing, InstanceNames::displayName(), &otherDisplay_);
      return Outcome::HandedOff;
    case InstanceLock::State::Unavailable:
      // Better one copy too many than a program that does not start.
      warning_ = "single-instance lock unavailable: " + lock_->errorText();
      lock_.reset();
      return Outcome::Primary;
    case InstanceLock::State::Acquired:
      break;
  }
  server_ = std::make_unique<InstanceServer>(InstanceNames::serverName(runtimeFolder_));
  server_->setDisplay(InstanceNames::displayName());
  if (!server_->listen()) {
    warning_ = "cannot receive hand-offs: " + server_->errorString();
    server_.reset();
  }
  return Outcome::Primary;
}

}  // namespace kolvex
