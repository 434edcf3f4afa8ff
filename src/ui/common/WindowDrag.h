#pragma once
// Moving and resizing the frameless main window from its caption bar and border grips.
// The window system does the work where it can (QWindow::startSystemMove/Resize); where
// it cannot, the window follows the mouse by hand. A move starts only once the mouse has
// moved a little, so that a double click on the caption still reaches the window.
#include <QPoint>
#include <QRect>

class QMouseEvent;
class QWidget;

namespace kolvex {

class WindowDrag {
 public:
  // edges: the edges to drag, none for a move.
  void press(QWidget* source, QMouseEvent* event, Qt::Edges edges);
  void move(QWidget* source, QMouseEvent* event);
  void release() { pending_ = manual_ = false; }

  // The edges a grip of this tag drags: 1 top left, 2 top right, 3 left, 4 right,
  // 5 bottom left, 6 bottom right; none for other tags.
  static Qt::Edges edgesForGripTag(int tag);
  static Qt::CursorShape cursorFor(Qt::Edges edges);
  // The geometry of a window of geometry start whose edges are dragged by delta, never
  // smaller than minimum.
  static QRect resized(const QRect& start, Qt::Edges edges, const QPoint& delta,
                       const QSize& minimum);

 private:
  void begin(QWidget* window);
  bool pending_ = false;  // pressed, not yet handed to the window system
  bool manual_ = false;
  Qt::Edges edges_;
  QPoint pressGlobal_;
  QRect startGeometry_;
};

}  // namespace kolvex
