#include "ui/search/DayCountDate.h"

#include <cmath>

namespace kolvex {
namespace {

const QDate kDayZero(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;

}  // namespace

QDateTime DateTimeOfDayCount(double dayCount) {
  const double days = std::floor(dayCount);
  const qint64 ms = std::llround((dayCount - days) * kMsPerDay);
  return QDateTime(kDayZero.addDays(static_cast<qint64>(days)), QTime(0, 0)).addMSecs(ms);
}

double DayCountOf(const QDateTime& dateTime) {
  const double days = static_cast<double>(kDayZero.daysTo(dateTime.date()));
  return days + dateTime.time().msecsSinceStartOfDay() / kMsPerDay;
}

}  // namespace kolvex
