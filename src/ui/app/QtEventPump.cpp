#include "ui/app/QtEventPump.h"

#include <QCoreApplication>

namespace kolvex {

void QtEventPump::processEvents() { QCoreApplication::processEvents(); }

}  // namespace kolvex
