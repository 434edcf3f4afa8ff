#include "ui/archives/ToolGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kolvex {
namespace {

constexpr int kSize = 24;
const QColor kInk(0x2a, 0x34, 0x42);
const QColor kAccent(0x2c, 0x7a, 0x72);
const QColor kWarn(0xb8, 0x3a, 0x2e);

// A disc: the thing every command works on.
void disc(QPainter& p, QPointF centre, qreal r) {
  p.setPen(QPen(kInk, 1.4));
  p.setBrush(QColor(0xe8, 0xee, 0xf4));
  p.drawEllipse(centre, r, r);
  p.setBrush(kInk);
  p.drawEllipse(centre, r / 4, r / 4);
}

void arrowHead(QPainter& p, QPointF tip, qreal angleDegrees) {
  QPainterPath head;
  head.moveTo(0, 0);
  head.lineTo(-4.5, -3);
  head.lineTo(-4.5, 3);
  head.closeSubpath();
  p.save();
  p.translate(tip);
  p.rotate(angleDegrees);
  p.setPen(Qt::NoPen);
  p.setBrush(p.pen().color());
  p.fillPath(head, kAccent);
  p.restore();
}

void draw(QPainter& p, ToolGlyph kind) {
  switch (kind) {
    case ToolGlyph::Create:
      disc(p, {10, 12}, 8.5);
      p.setPen(QPen(kAccent, 2.6, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(19, 13), QPointF(19, 22));
      p.drawLine(QPointF(14.5, 17.5), QPointF(23.5, 17.5));
      break;
    case ToolGlyph::Delete:
      disc(p, {10, 12}, 8.5);
      p.setPen(QPen(kWarn, 2.6, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(15.5, 14), QPointF(22.5, 21));
      p.drawLine(QPointF(22.5, 14), QPointF(15.5, 21));
      break;
    case ToolGlyph::Browse: {
      p.setPen(QPen(kInk, 1.4));
      p.setBrush(QColor(0xf2, 0xc4, 0x6b));
      QPainterPath folder;
      folder.moveTo(2, 6);
      folder.lineTo(9, 6);
      folder.lineTo(11, 8.5);
      folder.lineTo(22, 8.5);
      folder.lineTo(22, 20);
      folder.lineTo(2, 20);
      folder.closeSubpath();
      p.drawPath(folder);
      p.setBrush(QColor(0xf8, 0xd8, 0x8f));
      p.drawRect(QRectF(2, 11, 20, 9));
      break;
    }
    case ToolGlyph::Search:
      p.setPen(QPen(kInk, 2.2));
      p.setBrush(QColor(0xdd, 0xf0, 0xee));
      p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
      p.setPen(QPen(kAccent, 3.4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(15, 15), QPointF(21.5, 21.5));
      break;
    case ToolGlyph::Update:
      disc(p, {12, 12}, 6);
      p.setPen(QPen(kAccent, 2.2, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(2.5, 2.5, 19, 19), 30 * 16, 120 * 16);
      p.drawArc(QRectF(2.5, 2.5, 19, 19), 210 * 16, 120 * 16);
      arrowHead(p, {3.8, 7.2}, 120);
      arrowHead(p, {20.2, 16.8}, -60);
      break;
    case ToolGlyph::Modify: {
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(QColor(0xf6, 0xf8, 0xfa));
      p.drawRect(QRectF(3, 3, 14, 18));
      p.setPen(QPen(QColor(0x9a, 0xa6, 0xb2), 1));
      for (int y : {7, 10, 13}) p.drawLine(5, y, 14, y);
      p.save();
      p.translate(15, 15);
      p.rotate(45);
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(0xf2, 0xc4, 0x6b));
      p.drawRect(QRectF(-9, -2.2, 13, 4.4));
      p.setBrush(kAccent);
      p.drawRect(QRectF(4, -2.2, 3, 4.4));
      p.restore();
      break;
    }
    case ToolGlyph::Refresh:
      p.setPen(QPen(kAccent, 2.6, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(4, 4, 16, 16), 60 * 16, 290 * 16);
      arrowHead(p, {16.2, 4.9}, 10);
      break;
    case ToolGlyph::View:
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(QColor(0xdd, 0xf0, 0xee));
      for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col) p.drawRect(QRectF(3 + col * 10, 3 + row * 10, 8, 8));
      break;
  }
}

}  // namespace

QIcon toolGlyph(ToolGlyph kind) {
  QIcon icon;
  for (int scale : {1, 2}) {
    QPixmap pixmap(kSize * scale, kSize * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, kind);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace kolvex
