#include "ui/shell/InstanceNames.h"

#include <pwd.h>
#include <unistd.h>

#include <QGuiApplication>
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

QString InstanceNames::displayName() {
  if (!qGuiApp) return {};
  const QString platform = QGuiApplication::platformName();
  QString where;
  if (platform == "xcb") {
    where = qEnvironmentVariable("DISPLAY");
    // ":0" and ":0.0" are one display: the screen number does not part them.
    const int colon = where.lastIndexOf(':'), dot = where.lastIndexOf('.');
    if (colon >= 0 && dot > colon) where.truncate(dot);
  } else if (platform.startsWith("wayland")) {
    where = qEnvironmentVariable("WAYLAND_DISPLAY", "wayland-0");
  }
  // One line of the hand-off: no line breaks, and short.
  return (platform + ':' + where).simplified().left(200);
}

QString InstanceNames::lockPath(const QString& runtimeFolder) {
  return runtimeFolder + '/' + kLockName + '-' + userName() + ".lock";
}

QString InstanceNames::serverName(const QString& runtimeFolder) {
  return runtimeFolder + '/' + kLockName + '-' + userName() + ".socket";
}

}  // namespace kolvex
