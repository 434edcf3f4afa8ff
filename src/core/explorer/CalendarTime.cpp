#include "core/explorer/CalendarTime.h"

#include <cmath>
#include <cstdint>

namespace kolvex {

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
// Day counts of 1 January 0001 and of 1 January 10000.
constexpr std::int64_t kFirstDay = -693'593;
constexpr std::int64_t kPastLastDay = 2'958'466;
// 30 December 1899 counted from 1 January 1970.
constexpr std::int64_t kEpochShift = -25'569;

// Proleptic Gregorian date of a day number counted from 1 January 1970.
void civilFromDays(std::int64_t z, CalendarTime& t) {
  z += 719'468;
  const std::int64_t era = (z >= 0 ? z : z - 146'096) / 146'097;
  const std::int64_t doe = z - era * 146'097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36'524 - doe / 146'096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
  t.year = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
  t.month = static_cast<int>(m);
  t.day = static_cast<int>(d);
}

}  // namespace

std::optional<CalendarTime> CalendarTimeOf(double dayCount) {
  // Checked as a double first: converting NaN or a huge value to an integer is undefined.
  if (!std::isfinite(dayCount)) return std::nullopt;
  if (dayCount <= static_cast<double>(kFirstDay - 1) ||
      dayCount >= static_cast<double>(kPastLastDay))
    return std::nullopt;
  // Rounding the whole value (not only its fraction) lets 23:59:59.9996 carry into the
  // next day instead of showing a 24th hour.
  const auto ms = static_cast<std::int64_t>(std::nearbyint(dayCount * kMsPerDay));
  const std::int64_t days = ms / kMsPerDay;  // towards zero: the fraction is unsigned
  if (days < kFirstDay || days >= kPastLastDay) return std::nullopt;
  std::int64_t time = ms % kMsPerDay;
  if (time < 0) time = -time;

  CalendarTime t;
  civilFromDays(days + kEpochShift, t);
  t.hour = static_cast<int>(time / 3'600'000);
  t.minute = static_cast<int>(time / 60'000 % 60);
  t.second = static_cast<int>(time / 1000 % 60);
  t.millisecond = static_cast<int>(time % 1000);
  return t;
}

}  // namespace kolvex
