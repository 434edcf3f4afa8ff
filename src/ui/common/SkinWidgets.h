#pragma once
// The small widgets the skinned main window is made of.
#include <QImage>
#include <QLabel>
#include <QToolButton>
#include <QWidget>

#include "ui/common/WindowDrag.h"

namespace kolvex {

class Skin;

// A paint box: tiles the skin picture of its tag over itself on every paint. A border
// paint box can also be a resize grip (its tag then also selects the edge).
class TPaintBox : public QWidget {
  Q_OBJECT

 public:
  TPaintBox(const Skin& skin, int tag, QWidget* parent);
  void setGrip(Qt::Edges edges);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const Skin& skin_;
  Qt::Edges grip_;
  WindowDrag drag_;
};

// A picture control that sizes itself to its picture.
class TImage : public QWidget {
  Q_OBJECT

 public:
  explicit TImage(QWidget* parent);
  void setPicture(const QImage& image);
  const QImage& picture() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

// An invisible resize grip in a corner of the main window; its tag selects the corner.
class ResizeGrip : public QWidget {
  Q_OBJECT

 public:
  ResizeGrip(int tag, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Qt::Edges edges_;
  WindowDrag drag_;
};

// The invisible area over the caption bar: dragging moves the window, a double click
// maximises or restores it.
class CaptionControl : public QWidget {
  Q_OBJECT

 public:
  explicit CaptionControl(QWidget* parent);

 signals:
  void doubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  WindowDrag drag_;
};

// The window-button captions: "0" minimise, "1" maximise, "2" restore, "r" close, each
// shown as a Unicode symbol.
QString glyphText(const QString& caption);

// A caption-bar button showing its caption as a white symbol.
class GlyphButton : public QToolButton {
  Q_OBJECT

 public:
  GlyphButton(const QString& caption, QWidget* parent);
  void setCaption(const QString& caption);
  const QString& caption() const { return caption_; }

 private:
  QString caption_;
};

// The black copy of the window buttons' symbols behind them ("0 1 r"): one symbol per
// button cell, as their shadow.
class GlyphShadow : public QWidget {
  Q_OBJECT

 public:
  GlyphShadow(const QString& caption, int cellWidth, QWidget* parent);
  void setCaption(const QString& caption);
  const QString& caption() const { return caption_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  int cellWidth_;
};

}  // namespace kolvex
