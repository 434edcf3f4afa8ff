#include "ui/shell/InstanceNames.h"

#include <pwd.h>
#include <unistd.h>

#include <QStandardPaths>

#include "ui/common/AppNames.h"

namespace kolvex {

QString InstanceNames::runtimeFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

QString InstanceNames::userName() {
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_name && *pw->pw_name)
    return QString::fromLocal8Bit(pw->pw_name);
  return QString::number(::getuid());
}

QString InstanceNames::lockPath(const QString& runtimeFolder) {
  return runtimeFolder + '/' + kLockName + '-' + userName() + ".lock";
}

QString InstanceNames::serverName(const QString& runtimeFolder) {
  return runtimeFolder + '/' + kLockName + '-' + userName() + ".socket";
}

}  // namespace kolvex
