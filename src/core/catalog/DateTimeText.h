#pragma once
// Dates of catalogs as calendar fields and as the machine-readable text of the command
// line and the exports. (The desktop's views show them in the program's language.)
#include <ctime>
#include <optional>
#include <string>

namespace kolvex {

// The calendar fields (tm_year, tm_mon, tm_mday, tm_hour, tm_min, tm_sec, tm_wday,
// tm_yday) of a day count from 30 December 1899, rounded to the second; nothing for NaN,
// the infinities and years outside 1 to 9999 (catalogs from elsewhere may hold anything).
std::optional<std::tm> CalendarOfDayCount(double dayCount);

// ISO 8601 date and time, "2026-12-08T14:07:56", in the local time catalogs keep (the
// form the command line prints, and reads back in the search's --date); "" for a day
// count that names no date.
std::string IsoDateTimeText(double dayCount);

}  // namespace kolvex
