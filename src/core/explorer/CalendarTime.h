#pragma once
// Time stamps in catalogs are day counts (a double): the whole part counts days from
// 30 December 1899, the fraction is the time of day whatever the sign (-1.25 is
// 29 December 1899, 06:00). Catalogs from elsewhere may hold any double, so the
// conversion checks the range before any integer arithmetic.
#include <optional>

namespace kolvex {

struct CalendarTime {
  int year = 0;
  int month = 0;   // 1..12
  int day = 0;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
  int millisecond = 0;

  // The date and time text leaves the time out at exactly midnight.
  bool isMidnight() const { return hour == 0 && minute == 0 && second == 0; }
};

// The calendar fields of a day count, rounded to the millisecond; nothing for NaN, the
// infinities and values outside the years 1 to 9999.
std::optional<CalendarTime> CalendarTimeOf(double dayCount);

}  // namespace kolvex
