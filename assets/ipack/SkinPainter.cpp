#include "SkinPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdint>

#include "ui/common/AppIcon.h"

namespace kolvex::skin {
namespace {

const QColor kSlateLight(0x3b, 0x47, 0x58);
const QColor kSlate(0x2c, 0x36, 0x43);
const QColor kSlateDark(0x22, 0x2a, 0x34);
const QColor kEdge(0x17, 0x1c, 0x23);
const QColor kAccent(0x4f, 0xb3, 0xa9);
const QColor kFace(0xee, 0xf1, 0xf5);

constexpr int kTopHeight = 38, kBottomHeight = 31, kBorder = 10;

QImage blank(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(kFace);
  return image;
}

// The top bar's rows: a soft vertical gradient, a highlight at the top, the accent line
// and a dark edge at the bottom; every top-bar picture shares them, so they line up.
void paintTopRows(QPainter& p, int w) {
  QLinearGradient g(0, 0, 0, kTopHeight);
  g.setColorAt(0, kSlateLight);
  g.setColorAt(1, kSlateDark);
  p.fillRect(0, 0, w, kTopHeight, g);
  p.fillRect(0, 0, w, 1, QColor(0x51, 0x5e, 0x71));
  p.fillRect(0, kTopHeight - 3, w, 2, kAccent);
  p.fillRect(0, kTopHeight - 1, w, 1, kEdge);
}

void paintBottomRows(QPainter& p, int w) {
  QLinearGradient g(0, 0, 0, kBottomHeight);
  g.setColorAt(0, kSlate);
  g.setColorAt(1, kSlateDark);
  p.fillRect(0, 0, w, kBottomHeight, g);
  p.fillRect(0, 0, w, 1, kEdge);
  p.fillRect(0, 1, w, 1, QColor(0x44, 0x50, 0x61));
}

// A side border: lighter towards the outside, a dark line where it meets the content.
void paintSide(QPainter& p, int h, bool left) {
  QLinearGradient g(0, 0, kBorder, 0);
  g.setColorAt(left ? 0 : 1, kSlateLight);
  g.setColorAt(left ? 1 : 0, kSlateDark);
  p.fillRect(0, 0, kBorder, h, g);
  p.fillRect(left ? kBorder - 1 : 0, 0, 1, h, kEdge);
  p.fillRect(left ? 0 : kBorder - 1, 0, 1, h, QColor(0x4a, 0x57, 0x6a));
}

// Concentric grooves of a disc, fading out.
void paintGrooves(QPainter& p, QPointF centre, int from, int to, int alpha) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  for (int r = from; r <= to; r += 7) {
    QColor c = kAccent;
    c.setAlpha(alpha * (to - r + 7) / (to - from + 7));
    p.setPen(QPen(c, 1.2));
    p.drawEllipse(centre, r, r);
  }
}

}  // namespace

QImage paintTop() {
  QImage image = blank(32, kTopHeight);
  QPainter p(&image);
  paintTopRows(p, image.width());
  return image;
}

QImage paintBottom() {
  QImage image = blank(32, kBottomHeight);
  QPainter p(&image);
  paintBottomRows(p, image.width());
  return image;
}

QImage paintLeft() {
  QImage image = blank(kBorder, 32);
  QPainter p(&image);
  paintSide(p, image.height(), true);
  return image;
}

QImage paintRight() {
  QImage image = blank(kBorder, 32);
  QPainter p(&image);
  paintSide(p, image.height(), false);
  return image;
}

QImage paintLeftTop() {
  QImage image = blank(46, kTopHeight);
  QPainter p(&image);
  paintTopRows(p, image.width());
  p.fillRect(0, 0, 1, kTopHeight - 3, QColor(0x4a, 0x57, 0x6a));
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRect(12, 6, 24, 24), paintAppIcon(48));
  return image;
}

QImage paintRightTop() {
  QImage image = blank(12, kTopHeight);
  QPainter p(&image);
  paintTopRows(p, image.width());
  p.fillRect(image.width() - 1, 0, 1, kTopHeight - 3, kEdge);
  return image;
}

QImage paintLeftBottom() {
  QImage image = blank(12, kBottomHeight);
  QPainter p(&image);
  paintBottomRows(p, image.width());
  p.fillRect(0, 2, 1, kBottomHeight - 2, QColor(0x4a, 0x57, 0x6a));
  return image;
}

QImage paintRightBottom() {
  QImage image = blank(18, kBottomHeight);
  QPainter p(&image);
  paintBottomRows(p, image.width());
  p.fillRect(image.width() - 1, 2, 1, kBottomHeight - 2, kEdge);
  // The grip: three diagonal rows of dots in the corner.
  for (int row = 0; row < 3; ++row)
    for (int i = 0; i <= row; ++i) {
      const int x = image.width() - 5 - (row - i) * 4, y = kBottomHeight - 5 - i * 4;
      p.fillRect(x + 1, y + 1, 2, 2, kEdge);
      p.fillRect(x, y, 2, 2, QColor(0x8c, 0x99, 0xa8));
    }
  return image;
}

QImage paintFace() {
  QImage image = blank(96, 96);
  // A faint grain from a fixed sequence: it tiles without seams and compresses well.
  std::uint32_t state = 0x2545F491u;
  for (int y = 0; y < image.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      state = state * 1664525u + 1013904223u;
      const int d = static_cast<int>((state >> 24) % 5) - 2;
      line[x] = qRgb(kFace.red() + d, kFace.green() + d, kFace.blue() + d);
    }
  }
  return image;
}

QImage paintBanner() {
  QImage image = blank(150, 53);
  QPainter p(&image);
  p.fillRect(image.rect(), kFace);
  paintGrooves(p, QPointF(30, 26), 24, 80, 70);
  // Fade the grooves into the header towards the right.
  QLinearGradient fade(70, 0, 150, 0);
  fade.setColorAt(0, QColor(kFace.red(), kFace.green(), kFace.blue(), 0));
  fade.setColorAt(1, kFace);
  p.fillRect(image.rect(), fade);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRect(9, 5, 43, 43), paintAppIcon(86));
  return image;
}

QImage paintLeftBar() {
  QImage image = blank(176, 560);
  QPainter p(&image);
  QLinearGradient g(0, 0, 0, image.height());
  g.setColorAt(0, QColor(0xf6, 0xf8, 0xfa));
  g.setColorAt(1, QColor(0xdc, 0xe3, 0xeb));
  p.fillRect(image.rect(), g);
  paintGrooves(p, QPointF(176, 560), 40, 200, 45);
  p.fillRect(image.width() - 1, 0, 1, image.height(), QColor(0xc6, 0xce, 0xd8));
  return image;
}

QImage paintFlatMask() {
  QImage image(260, 72, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  // No antialiasing: a pixel is either inside (any colour but white) or outside.
  p.setPen(Qt::NoPen);
  p.setBrush(kSlate);
  QPainterPath shape;
  shape.addRoundedRect(QRectF(0, 0, 260, 72), 12, 12);
  p.drawPath(shape);
  return image;
}

}  // namespace kolvex::skin
