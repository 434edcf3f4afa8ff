#pragma once
// The single-instance lock. It is held for the life of the process; a lock left behind
// by a copy that was killed is recognised (its process is gone) and taken over.
#include <QLockFile>
#include <QString>

namespace kolvex {

class InstanceLock {
 public:
  enum class State { Acquired, HeldByOther, Unavailable };

  explicit InstanceLock(const QString& path);
  State acquire();
  // Why the lock could not be made (State::Unavailable).
  QString errorText() const;

 private:
  QLockFile lock_;
  QString path_;
};

}  // namespace kolvex
