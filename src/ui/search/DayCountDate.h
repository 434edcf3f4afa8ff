#pragma once
// Catalog time stamps are day counts from 30 December 1899 with the time of day as the
// fraction; the date pickers hold Qt date-times.
#include <QDateTime>

namespace kolvex {

QDateTime DateTimeOfDayCount(double dayCount);
double DayCountOf(const QDateTime& dateTime);

}  // namespace kolvex
