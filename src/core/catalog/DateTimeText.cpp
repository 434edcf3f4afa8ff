#include "core/catalog/DateTimeText.h"

#include <cmath>
#include <cstdio>
#include <cstdint>

#include "core/persist/DayCount.h"

namespace kolvex {
namespace {

constexpr double kFirstDay = -693593;     // 1 January 0001
constexpr double kPastLastDay = 2958466;  // 1 January 10000

// The proleptic Gregorian date of a day number counted from 1 January 1970.
void civilFromDays(std::int64_t z, std::tm& t) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  t.tm_year = static_cast<int>(y - 1900);
  t.tm_mon = static_cast<int>(m - 1);
  t.tm_mday = static_cast<int>(d);
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  static const int kBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  t.tm_yday = kBefore[m - 1] + static_cast<int>(d) - 1 + (leap && m > 2 ? 1 : 0);
  std::int64_t w = (z - 719468 + 4) % 7;  // 1 January 1970 was a Thursday
  t.tm_wday = static_cast<int>(w < 0 ? w + 7 : w);
}

}  // namespace

std::optional<std::tm> CalendarOfDayCount(double dayCount) {
  if (!std::isfinite(dayCount) || dayCount <= kFirstDay - 1 || dayCount >= kPastLastDay)
    return std::nullopt;
  // Rounding the whole value lets 23:59:59.7 carry into the next day.
  const auto seconds = static_cast<std::int64_t>(std::nearbyint(dayCount * kSecondsPerDay));
  const std::int64_t days = seconds / kSecondsPerDay;  // the time of day has no sign
  std::int64_t time = seconds % kSecondsPerDay;
  if (time < 0) time = -time;
  if (days <= kFirstDay - 1 || days >= kPastLastDay) return std::nullopt;
  std::tm t{};
  civilFromDays(days - kDaysTo1970, t);
  t.tm_hour = static_cast<int>(time / 3600);
  t.tm_min = static_cast<int>(time / 60 % 60);
  t.tm_sec = static_cast<int>(time % 60);
  t.tm_isdst = -1;
  return t;
}

std::string IsoDateTimeText(double dayCount) {
  auto t = CalendarOfDayCount(dayCount);
  if (!t) return {};
  char buf[80];  // years 1 to 9999, always four digits
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", t->tm_year + 1900, t->tm_mon + 1,
                t->tm_mday, t->tm_hour, t->tm_min, t->tm_sec);
  return buf;
}

}  // namespace kolvex
