#pragma once
// The date and time texts of every list, panel and summary: the locale's date with a
// four-digit year, a space and the locale's time, the time left out when it is exactly
// midnight. One format everywhere, so a catalog's date reads the same in every view.
#include <ctime>
#include <optional>
#include <string>

namespace kolvex {

// The calendar fields (tm_year, tm_mon, tm_mday, tm_hour, tm_min, tm_sec, tm_wday,
// tm_yday) of a day count from 30 December 1899, rounded to the second; nothing for NaN,
// the infinities and years outside 1 to 9999 (catalogs from elsewhere may hold anything).
std::optional<std::tm> CalendarOfDayCount(double dayCount);

// The locale's date format (LC_TIME) with every two-digit year made a four-digit one.
std::string FourDigitYearDateFormat();

// The date as FourDigitYearDateFormat writes it ("08/12/2026" in the C locale,
// "12.08.2026" in a German one); "" for a day count that names no date.
std::string DateText(double dayCount);

// DateText, a space and the locale's time ("%X"); the date alone at midnight.
std::string DateTimeText(double dayCount);

// ISO 8601 date and time, "2026-12-08T14:07:56", in the local time catalogs keep (the
// form the command line prints, and reads back in the search's --date); "" for a day
// count that names no date.
std::string IsoDateTimeText(double dayCount);

}  // namespace kolvex
