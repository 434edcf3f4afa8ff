#pragma once
// Where the single-instance lock and the hand-off socket live: the user's runtime folder
// (readable by this user only), under names made of the lock name and the user.
#include <QString>

namespace kolvex {

class InstanceNames {
 public:
  // The user's runtime folder ($XDG_RUNTIME_DIR, checked by Qt to be private to the
  // user); empty when there is none.
  static QString runtimeFolder();
  static QString userName();
  // "<folder>/Kolvex 1.0 Beta-<user>.lock" and "...-<user>.socket".
  static QString lockPath(const QString& runtimeFolder);
  static QString serverName(const QString& runtimeFolder);
  // The display this copy's windows appear on, as two copies compare it ("x11::0",
  // "wayland:wayland-0"); empty when there is no application object yet.
  static QString displayName();
};

}  // namespace kolvex
