#include "ui/common/SkinWidgets.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/common/InterfaceTexts.h"
#include "ui/common/Skin.h"
#include "ui/common/TilePaint.h"

namespace kolvex {
namespace {

QFont glyphFont() {
  QFont f;
  f.setPixelSize(13);
  return f;
}

}  // namespace

TPaintBox::TPaintBox(const Skin& skin, int tag, QWidget* parent) : QWidget(parent), skin_(skin) {
  setTag(this, tag);
  setAttribute(Qt::WA_OpaquePaintEvent, !skin.forTag(tag).isNull());
}

void TPaintBox::setGrip(Qt::Edges edges) {
  grip_ = edges;
  setCursor(WindowDrag::cursorFor(edges));
}

void TPaintBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  TilePaintBox(p, size(), skin_.forTag(tagOf(this)));
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
  if (grip_)
    drag_.press(this, event, grip_);
  else
    QWidget::mousePressEvent(event);
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) { drag_.move(this, event); }

void TPaintBox::mouseReleaseEvent(QMouseEvent*) { drag_.release(); }

TImage::TImage(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TImage::setPicture(const QImage& image) {
  image_ = image;
  resize(image.isNull() ? QSize(0, 0) : image.size());
  update();
}

void TImage::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  QPainter p(this);
  p.drawImage(0, 0, image_);
}

ResizeGrip::ResizeGrip(int tag, QWidget* parent)
    : QWidget(parent), edges_(WindowDrag::edgesForGripTag(tag)) {
  setTag(this, tag);
  setCursor(WindowDrag::cursorFor(edges_));
}

void ResizeGrip::mousePressEvent(QMouseEvent* event) { drag_.press(this, event, edges_); }
void ResizeGrip::mouseMoveEvent(QMouseEvent* event) { drag_.move(this, event); }
void ResizeGrip::mouseReleaseEvent(QMouseEvent*) { drag_.release(); }

CaptionControl::CaptionControl(QWidget* parent) : QWidget(parent) {}

void CaptionControl::mousePressEvent(QMouseEvent* event) { drag_.press(this, event, {}); }
void CaptionControl::mouseMoveEvent(QMouseEvent* event) { drag_.move(this, event); }
void CaptionControl::mouseReleaseEvent(QMouseEvent*) { drag_.release(); }

void CaptionControl::mouseDoubleClickEvent(QMouseEvent* event) {
  drag_.release();
  if (event->button() == Qt::LeftButton) emit doubleClicked();
}

QString glyphText(const QString& caption) {
  if (caption == "0") return QString(QChar(0x2581));  // low bar: minimise
  if (caption == "1") return QString(QChar(0x25A1));  // white square: maximise
  if (caption == "2") return QString(QChar(0x2750));  // shadowed square: restore
  if (caption == "r") return QString(QChar(0x2715));  // multiplication x: close
  return caption;
}

GlyphButton::GlyphButton(const QString& caption, QWidget* parent) : QToolButton(parent) {
  setFont(glyphFont());
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
  setStyleSheet(
      "QToolButton { color: white; border: none; background: transparent; padding: 0; }"
      "QToolButton:hover { background: rgba(255, 255, 255, 38); border-radius: 3px; }"
      "QToolButton:pressed { background: rgba(0, 0, 0, 60); border-radius: 3px; }");
  setCaption(caption);
}

void GlyphButton::setCaption(const QString& caption) {
  caption_ = caption;
  setText(glyphText(caption));
}

GlyphShadow::GlyphShadow(const QString& caption, int cellWidth, QWidget* parent)
    : QWidget(parent), caption_(caption), cellWidth_(cellWidth) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFont(glyphFont());
}

void GlyphShadow::setCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void GlyphShadow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(Qt::black);
  int x = 0;
  for (const QString& code : caption_.split(' ', Qt::SkipEmptyParts)) {
    p.drawText(QRect(x, 0, cellWidth_, height()), Qt::AlignCenter, glyphText(code));
    x += cellWidth_;
  }
}

}  // namespace kolvex
