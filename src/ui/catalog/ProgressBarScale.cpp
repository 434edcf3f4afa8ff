#include "ui/catalog/ProgressBarScale.h"

#include <QProgressBar>
#include <algorithm>
#include <climits>

namespace kolvex {

void ProgressBarScale::setRange(QProgressBar* bar, std::int64_t maximum) {
  maximum = std::max<std::int64_t>(maximum, 0);
  divisor_ = maximum / INT_MAX + 1;
  bar->setRange(0, static_cast<int>(maximum / divisor_));
}

void ProgressBarScale::setPosition(QProgressBar* bar, std::int64_t position) const {
  const std::int64_t v = std::clamp<std::int64_t>(position / divisor_, 0, bar->maximum());
  bar->setValue(static_cast<int>(v));
}

}  // namespace kolvex
