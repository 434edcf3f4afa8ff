#include "core/persist/DayCount.h"

namespace kolvex {
double DayCountOfLocalSeconds(std::int64_t localSeconds) {
  std::int64_t day = FloorDiv(localSeconds, kSecondsPerDay);
  std::int64_t second = localSeconds - day * kSecondsPerDay;
  double fraction = static_cast<double>(second) / kSecondsPerDay;
  std::int64_t count = day + kDaysTo1970;
  // Before 30 December 1899 the whole part counts backwards but the time of day does not.
  return count >= 0 ? static_cast<double>(count) + fraction : static_cast<double>(count) - fraction;
}

}  // namespace kolvex
