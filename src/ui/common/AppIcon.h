#pragma once
// The program's own icon, painted from shapes so that every size is sharp: a silver disc
// in front of a teal index card on a slate tile. The build writes it as kolvex.png for
// the portable folder's launcher and into the icon theme for an installed copy; the
// window and the tray paint it themselves.
#include <QIcon>
#include <QImage>

class QPainter;

namespace kolvex {

QImage paintAppIcon(int size);
// Draws the icon into the square (0, 0, size, size) of any paint device.
void drawAppIcon(QPainter& painter, int size);
QIcon appIcon();

}  // namespace kolvex
