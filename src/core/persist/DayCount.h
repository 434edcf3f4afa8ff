#pragma once
// Time stamps as catalogs keep them: local time as a day count from 30 December 1899,
// the fraction being the time of day whatever the sign (-1.25 is 29 December 1899,
// 06:00).
#include <cstdint>

namespace kolvex {

inline constexpr std::int64_t kSecondsPerDay = 86400;
// Days from 30 December 1899 to 1 January 1970.
inline constexpr std::int64_t kDaysTo1970 = 25569;

// Division rounding towards minus infinity (b > 0).
inline constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The day count of local calendar seconds since 1970 (no time-zone work).
double DayCountOfLocalSeconds(std::int64_t localSeconds);

}  // namespace kolvex
