#include "ui/shell/ViewHost.h"

namespace kolvex {

void ViewHost::setSliding(QWidget* view) {
  sliding_ = view;
  if (!view) fill();
}

void ViewHost::fill() {
  for (QObject* child : children())
    if (auto* w = qobject_cast<QWidget*>(child); w && w != sliding_) w->setGeometry(rect());
}

void ViewHost::resizeEvent(QResizeEvent*) { fill(); }

}  // namespace kolvex
