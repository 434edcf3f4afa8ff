#include "ui/about/AboutPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "ui/common/AppIcon.h"

namespace kolvex {
namespace {

void paintDisc(QPainter& p, QPointF centre, double radius, QColor accent) {
  QRadialGradient g(centre - QPointF(radius / 3, radius / 3), radius * 1.3);
  g.setColorAt(0, QColor(0xfd, 0xfe, 0xff));
  g.setColorAt(0.6, QColor(0xd5, 0xdd, 0xe6));
  g.setColorAt(1, QColor(0x9f, 0xac, 0xbb));
  QPainterPath ring;
  ring.addEllipse(centre, radius, radius);
  ring.addEllipse(centre, radius * 0.22, radius * 0.22);
  p.setPen(QPen(QColor(0x2a, 0x34, 0x42, 140), 1));
  p.setBrush(g);
  p.drawPath(ring);
  p.setPen(QPen(accent, 2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(centre, radius * 0.48, radius * 0.48);
}

}  // namespace

QImage paintAboutTitle(int width, int height, const QString& name) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const int icon = height - 8;
  p.drawImage(QRect(4, 4, icon, icon), paintAppIcon(icon * 2));
  QFont f;
  f.setPixelSize(height * 9 / 16);
  f.setBold(true);
  f.setLetterSpacing(QFont::PercentageSpacing, 104);
  p.setFont(f);
  const QRect text(icon + 16, 0, width - icon - 16, height);
  p.setPen(QColor(255, 255, 255, 200));
  p.drawText(text.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, name);
  p.setPen(QColor(0x2a, 0x34, 0x42));
  p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, name);
  p.end();
  return image;
}

QImage paintAboutPicture(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(width / 160.0, height / 80.0);
  const QColor cards[] = {QColor(0x4f, 0xb3, 0xa9), QColor(0x5b, 0x8d, 0xc9),
                          QColor(0xe0, 0xa4, 0x58)};
  for (int i = 0; i < 3; ++i) {
    const double x = 6 + i * 50;
    p.setPen(Qt::NoPen);
    p.setBrush(cards[i]);
    p.drawRoundedRect(QRectF(x + 16, 16, 30, 42), 4, 4);
    p.setBrush(QColor(255, 255, 255, 210));
    for (int l = 0; l < 4; ++l) p.drawRoundedRect(QRectF(x + 32, 23 + l * 8, 10, 3), 1.5, 1.5);
    paintDisc(p, QPointF(x + 18, 46), 16, cards[i]);
  }
  p.end();
  return image;
}

}  // namespace kolvex
