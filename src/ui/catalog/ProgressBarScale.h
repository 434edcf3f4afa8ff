#pragma once
// A scan counts records in 64 bits, a progress bar in int: large counts are scaled down.
#include <cstdint>

class QProgressBar;

namespace kolvex {

class ProgressBarScale {
 public:
  void setRange(QProgressBar* bar, std::int64_t maximum);
  void setPosition(QProgressBar* bar, std::int64_t position) const;

 private:
  std::int64_t divisor_ = 1;
};

}  // namespace kolvex
