#include "ui/common/AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

namespace kolvex {

QImage paintAppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  drawAppIcon(p, size);
  p.end();
  return image;
}

void drawAppIcon(QPainter& p, int size) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);

  // Slate tile.
  QLinearGradient tile(0, 0, 0, 64);
  tile.setColorAt(0, QColor(0x3a, 0x47, 0x58));
  tile.setColorAt(1, QColor(0x22, 0x2a, 0x35));
  p.setPen(Qt::NoPen);
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 13, 13);

  // Index card behind the disc, with three lines of entries.
  p.setBrush(QColor(0x4f, 0xb3, 0xa9));
  p.drawRoundedRect(QRectF(30, 28, 27, 27), 4, 4);
  p.setBrush(QColor(0xe9, 0xf6, 0xf4));
  for (int i = 0; i < 3; ++i) p.drawRoundedRect(QRectF(40, 34 + i * 6.5, 13, 3), 1.5, 1.5);

  // Disc with its hole.
  QRadialGradient disc(QPointF(22, 24), 22, QPointF(16, 16));
  disc.setColorAt(0, QColor(0xfb, 0xfc, 0xfd));
  disc.setColorAt(0.6, QColor(0xcf, 0xd8, 0xe2));
  disc.setColorAt(1, QColor(0x9a, 0xa8, 0xb8));
  QPainterPath ring;
  ring.addEllipse(QPointF(25, 27), 19, 19);
  ring.addEllipse(QPointF(25, 27), 4.5, 4.5);
  p.setBrush(disc);
  p.setPen(QPen(QColor(0x1c, 0x23, 0x2c, 160), 1.2));
  p.drawPath(ring);
  p.setPen(QPen(QColor(0x4f, 0xb3, 0xa9), 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(25, 27), 9, 9);
  p.restore();
}

QIcon appIcon() {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
    icon.addPixmap(QPixmap::fromImage(paintAppIcon(size)));
  return icon;
}

}  // namespace kolvex
