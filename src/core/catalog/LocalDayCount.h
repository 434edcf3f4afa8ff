#pragma once
// Time stamps as catalogs keep them: local time as a day count from 30 December 1899,
// the fraction being the time of day whatever the sign (-1.25 is 29 December 1899,
// 06:00).
#include <cstdint>
#include <ctime>

namespace kolvex {

// Converts file times (seconds since 1970, UTC) to local day counts truncated to two
// seconds. Asking the C library for the local offset of every file would cost more than
// the lstat itself, so the offset is remembered for a quarter of an hour at a time and
// reused while both ends of that quarter agree on it.
class LocalDayCount {
 public:
  double operator()(std::time_t utcSeconds);

  // The day count of local calendar seconds since 1970 (no time-zone work).
  static double fromLocalSeconds(std::int64_t localSeconds);
  // The current local time as a day count (full seconds, not truncated).
  static double now();

 private:
  static constexpr std::int64_t kBucket = 900;
  std::int64_t bucket_ = INT64_MIN;
  long offset_ = 0;
  bool steady_ = false;
};

// The UTC offset in seconds that local time has at that moment; 0 when unknown.
long localOffsetAt(std::time_t utcSeconds);

}  // namespace kolvex
