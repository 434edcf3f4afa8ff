#include "ui/common/WindowDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace kolvex {

void WindowDrag::press(QWidget* source, QMouseEvent* event, Qt::Edges edges) {
  release();
  if (event->button() != Qt::LeftButton) return;
  QWidget* window = source->window();
  if (window->isMaximized()) return;
  edges_ = edges;
  pressGlobal_ = event->globalPosition().toPoint();
  startGeometry_ = window->geometry();
  pending_ = true;
  if (edges) begin(window);
}

void WindowDrag::begin(QWidget* window) {
  pending_ = false;
  QWindow* handle = window->windowHandle();
  const bool bySystem =
      handle && (edges_ ? handle->startSystemResize(edges_) : handle->startSystemMove());
  manual_ = !bySystem;
}

void WindowDrag::move(QWidget* source, QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  if (pending_ && (event->globalPosition().toPoint() - pressGlobal_).manhattanLength() >=
                      QApplication::startDragDistance())
    begin(source->window());
  if (!manual_) return;
  QWidget* window = source->window();
  const QPoint delta = event->globalPosition().toPoint() - pressGlobal_;
  if (!edges_)
    window->move(startGeometry_.topLeft() + delta);
  else
    window->setGeometry(resized(startGeometry_, edges_, delta, window->minimumSize()));
}

Qt::Edges WindowDrag::edgesForGripTag(int tag) {
  switch (tag) {
    case 1:
      return Qt::TopEdge | Qt::LeftEdge;
    case 2:
      return Qt::TopEdge | Qt::RightEdge;
    case 3:
      return Qt::LeftEdge;
    case 4:
      return Qt::RightEdge;
    case 5:
      return Qt::BottomEdge | Qt::LeftEdge;
    case 6:
      return Qt::BottomEdge | Qt::RightEdge;
    default:
      return {};
  }
}

Qt::CursorShape WindowDrag::cursorFor(Qt::Edges edges) {
  const bool top = edges & Qt::TopEdge, bottom = edges & Qt::BottomEdge;
  const bool left = edges & Qt::LeftEdge, right = edges & Qt::RightEdge;
  if ((top && left) || (bottom && right)) return Qt::SizeFDiagCursor;
  if ((top && right) || (bottom && left)) return Qt::SizeBDiagCursor;
  if (left || right) return Qt::SizeHorCursor;
  if (top || bottom) return Qt::SizeVerCursor;
  return Qt::ArrowCursor;
}

QRect WindowDrag::resized(const QRect& start, Qt::Edges edges, const QPoint& delta,
                          const QSize& minimum) {
  QRect r = start;
  const int minW = std::max(1, minimum.width()), minH = std::max(1, minimum.height());
  if (edges & Qt::LeftEdge) r.setLeft(std::min(start.left() + delta.x(), start.right() - minW + 1));
  if (edges & Qt::RightEdge)
    r.setRight(std::max(start.right() + delta.x(), start.left() + minW - 1));
  if (edges & Qt::TopEdge) r.setTop(std::min(start.top() + delta.y(), start.bottom() - minH + 1));
  if (edges & Qt::BottomEdge)
    r.setBottom(std::max(start.bottom() + delta.y(), start.top() + minH - 1));
  return r;
}

}  // namespace kolvex
