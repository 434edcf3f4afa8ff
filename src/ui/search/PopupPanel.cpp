#include "ui/search/PopupPanel.h"

#include <QApplication>
#include <algorithm>

namespace kolvex {

PopupPanel::PopupPanel(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::StrongFocus);
  hide();
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { focusMoved(now); });
}

void PopupPanel::popUpBeside(QWidget* button) {
  adjustSize();
  QPoint at = button->mapTo(parentWidget(), button->rect().topRight());
  at.setX(std::max(0, std::min(at.x(), parentWidget()->width() - width())));
  at.setY(std::max(0, std::min(at.y(), parentWidget()->height() - height())));
  move(at);
  show();
  raise();
  // The first control that takes the focus, else the panel itself.
  QWidget* first = nextInFocusChain();
  if (first && isAncestorOf(first))
    first->setFocus(Qt::PopupFocusReason);
  else
    setFocus(Qt::PopupFocusReason);
}

void PopupPanel::focusMoved(QWidget* now) {
  if (!isVisible() || !now) return;
  // A control's own pop-up (the calendar of a date picker, a unit list) is still inside:
  // its parent chain leads back here across the window boundary.
  for (QWidget* w = now; w; w = w->parentWidget())
    if (w == this) return;
  hide();
}

}  // namespace kolvex
