#include "ui/common/TilePaint.h"

#include <QBitmap>
#include <QPainter>

namespace kolvex {

std::vector<QPoint> tilePositions(const QSize& box, const QSize& image) {
  std::vector<QPoint> out;
  if (image.width() <= 0 || image.height() <= 0 || box.width() <= 0 || box.height() <= 0)
    return out;
  const int columns = box.width() / image.width(), rows = box.height() / image.height();
  out.reserve(static_cast<std::size_t>((columns + 1) * (rows + 1)));
  for (int row = 0; row <= rows; ++row)
    for (int column = 0; column <= columns; ++column)
      out.emplace_back(column * image.width(), row * image.height());
  return out;
}

void TilePaintBox(QPainter& painter, const QSize& box, const QImage& image) {
  if (image.isNull()) return;
  painter.save();
  painter.setClipRect(QRect(QPoint(0, 0), box), Qt::IntersectClip);
  for (const QPoint& p : tilePositions(box, image.size())) painter.drawImage(p, image);
  painter.restore();
}

void PaintLeftBar(QPainter& painter, const QRect& area, const QImage& picture, const QColor& base) {
  painter.fillRect(area, base);
  if (picture.isNull()) return;
  painter.drawImage(area.topLeft(), picture);
  const int below = area.height() - picture.height();
  if (below <= 0) return;
  const QRect lastRow(0, picture.height() - 1, picture.width(), 1);
  painter.drawImage(QRect(area.left(), area.top() + picture.height(), picture.width(), below),
                    picture, lastRow);
}

QRegion RegionFromBitmap(const QImage& bitmap, QRgb transparent) {
  if (bitmap.isNull()) return {};
  const QImage rgb = bitmap.convertToFormat(QImage::Format_RGB32);
  QImage mask(rgb.size(), QImage::Format_MonoLSB);
  mask.setColor(0, qRgb(255, 255, 255));
  mask.setColor(1, qRgb(0, 0, 0));
  mask.fill(0);
  const QRgb key = transparent & 0x00FFFFFF;
  for (int y = 0; y < rgb.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x)
      if ((line[x] & 0x00FFFFFF) != key) mask.setPixel(x, y, 1);
  }
  return QRegion(QBitmap::fromImage(mask));
}

}  // namespace kolvex
