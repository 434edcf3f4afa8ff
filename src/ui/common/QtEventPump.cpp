#include "ui/common/QtEventPump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>

namespace kolvex {

void QtEventPump::processEvents() { QCoreApplication::processEvents(); }

void QtEventPump::waitForEvents(std::chrono::milliseconds limit) {
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  if (!dispatcher) {
    EventPump::waitForEvents(limit);
    return;
  }
  // The timer wakes the dispatcher when nothing else does before the limit.
  QTimer wake;
  wake.setSingleShot(true);
  wake.start(limit);
  dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  QCoreApplication::processEvents();
}

}  // namespace kolvex
