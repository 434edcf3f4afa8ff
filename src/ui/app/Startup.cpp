#include "ui/app/Startup.h"

#include "ui/app/InstanceLock.h"
#include "ui/app/InstanceNames.h"
#include "ui/app/InstanceServer.h"
#include "ui/app/ProbeFiles.h"
#include "ui/app/RequiredFiles.h"

namespace kolvex {

Startup::Startup(std::string appDir, CommandLine commandLine, QString runtimeFolder,
                 ErrorBox errorBox)
    : appDir_(std::move(appDir)),
      commandLine_(std::move(commandLine)),
      runtimeFolder_(std::move(runtimeFolder)),
      errorBox_(std::move(errorBox)) {}

Startup::~Startup() = default;

Startup::Outcome Startup::prepare(HandOff::Timing timing) {
  if (!RequiredFiles::present(appDir_)) {
    if (errorBox_) errorBox_(RequiredFiles::kErrorText);
    return Outcome::Refused;
  }
  ProbeFiles::create(appDir_);

  if (runtimeFolder_.isEmpty()) {
    warning_ = "no private runtime folder for the single-instance lock";
    return Outcome::Primary;
  }
  lock_ = std::make_unique<InstanceLock>(InstanceNames::lockPath(runtimeFolder_));
  switch (lock_->acquire()) {
    case InstanceLock::State::HeldByOther:
      handOffResult_ =
          HandOff::run(InstanceNames::serverName(runtimeFolder_), appDir_, commandLine_, timing);
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
  if (!server_->listen()) {
    warning_ = "cannot receive hand-offs: " + server_->errorString();
    server_.reset();
  }
  return Outcome::Primary;
}

}  // namespace kolvex
