#pragma once
// The program's own icon, painted from shapes so that every size is sharp: a silver disc
// in front of a teal index card on a slate tile. The build writes it as kolvex.png for
// the desktop entry; the window and the tray paint it themselves.
#include <QIcon>
#include <QImage>

namespace kolvex {

QImage paintAppIcon(int size);
QIcon appIcon();

}  // namespace kolvex
