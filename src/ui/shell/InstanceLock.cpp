#include "ui/shell/InstanceLock.h"

namespace kolvex {

InstanceLock::InstanceLock(const QString& path) : lock_(path), path_(path) {
  // Only a dead owner makes the lock stale; a copy that runs for weeks keeps it.
  lock_.setStaleLockTime(0);
}

InstanceLock::State InstanceLock::acquire() {
  if (lock_.tryLock(0)) return State::Acquired;
  return lock_.error() == QLockFile::LockFailedError ? State::HeldByOther : State::Unavailable;
}

QString InstanceLock::errorText() const {
  switch (lock_.error()) {
    case QLockFile::PermissionError:
      return "no permission to create " + path_;
    case QLockFile::UnknownError:
      return "cannot create " + path_;
    default:
      return {};
  }
}

}  // namespace kolvex
