// Day counts to calendar fields: exact at the edges, and safe for any double.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/explorer/CalendarTime.h"

namespace kolvex {
namespace {

std::string text(double v) {
  std::optional<CalendarTime> t = CalendarTimeOf(v);
  if (!t) return "none";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t->year, t->month, t->day,
                t->hour, t->minute, t->second, t->millisecond);
  return buf;
}

TEST(CalendarTime, DaysCountFromTheLastDaysOf1899) {
  EXPECT_EQ(text(0.0), "1899-12-30 00:00:00.000");
  EXPECT_EQ(text(-0.0), "1899-12-30 00:00:00.000");
  EXPECT_EQ(text(1.0), "1899-12-31 00:00:00.000");
  EXPECT_EQ(text(36526.0), "2000-01-01 00:00:00.000");
  EXPECT_EQ(text(45000.5), "2023-03-15 12:00:00.000");
  EXPECT_EQ(text(36585.0), "2000-02-29 00:00:00.000");
  EXPECT_EQ(text(2958465.0), "9999-12-31 00:00:00.000");
  EXPECT_EQ(text(-693593.0), "0001-01-01 00:00:00.000");
}

TEST(CalendarTime, TheFractionIsTheTimeOfDayWhateverTheSign) {
  EXPECT_EQ(text(-1.25), "1899-12-29 06:00:00.000");
  EXPECT_EQ(text(-0.25), "1899-12-30 06:00:00.000");
  EXPECT_EQ(text(1.0 / 3.0), "1899-12-30 08:00:00.000");
  // The scanner's time stamps fall on even seconds, which a double cannot hold exactly.
  EXPECT_EQ(text(45000.0 + 2.0 / 86400.0), "2023-03-15 00:00:02.000");
  EXPECT_EQ(text(45000.0 + 86398.0 / 86400.0), "2023-03-15 23:59:58.000");
  // Just below midnight rounds into the next day, never to a 24th hour.
  EXPECT_EQ(text(45000.0 + (86400.0 - 0.0001) / 86400.0), "2023-03-16 00:00:00.000");
  EXPECT_EQ(text(2958465.0 + 86399.999 / 86400.0), "9999-12-31 23:59:59.999");
}

TEST(CalendarTime, MidnightIsTheTimeOfDayZeroToTheSecond) {
  EXPECT_TRUE(CalendarTimeOf(45000.0)->isMidnight());
  EXPECT_TRUE(CalendarTimeOf(45000.0 + 0.0004 / 86400.0)->isMidnight());
  EXPECT_FALSE(CalendarTimeOf(45000.0 + 1.0 / 86400.0)->isMidnight());
  EXPECT_FALSE(CalendarTimeOf(45000.5)->isMidnight());
}

TEST(CalendarTime, AnythingOutsideTheYearsOneTo9999HasNoFields) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double v : {nan, -nan, inf, -inf, 1e300, -1e300, std::numeric_limits<double>::max(), 9.3e18,
                   -9.3e18, 2958466.0, 2958465.9999999999, -693594.0, -693593.9999999999})
    EXPECT_EQ(text(v), "none") << v;
  EXPECT_NE(text(-693593.5), "none");
  EXPECT_NE(text(std::numeric_limits<double>::denorm_min()), "none");
}

}  // namespace
}  // namespace kolvex
