#include "core/catalog/LocalDayCount.h"

#include <ctime>

namespace kolvex {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// Days from 30 December 1899 to 1 January 1970.
constexpr std::int64_t kDaysTo1970 = 25569;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

long localOffsetAt(std::time_t utcSeconds) {
  std::tm local{};
  if (!::localtime_r(&utcSeconds, &local)) return 0;
  return local.tm_gmtoff;
}

double LocalDayCount::fromLocalSeconds(std::int64_t localSeconds) {
  std::int64_t day = floorDiv(localSeconds, kSecondsPerDay);
  std::int64_t second = localSeconds - day * kSecondsPerDay;
  double fraction = static_cast<double>(second) / kSecondsPerDay;
  std::int64_t count = day + kDaysTo1970;
  // Before 30 December 1899 the whole part counts backwards but the time of day does not.
  return count >= 0 ? static_cast<double>(count) + fraction : static_cast<double>(count) - fraction;
}

double LocalDayCount::now() {
  std::time_t t = std::time(nullptr);
  return fromLocalSeconds(static_cast<std::int64_t>(t) + localOffsetAt(t));
}

double LocalDayCount::operator()(std::time_t utcSeconds) {
  const std::int64_t t = utcSeconds;
  const std::int64_t bucket = floorDiv(t, kBucket);
  if (bucket != bucket_) {
    bucket_ = bucket;
    offset_ = localOffsetAt(static_cast<std::time_t>(bucket * kBucket));
    steady_ = offset_ == localOffsetAt(static_cast<std::time_t>(bucket * kBucket + kBucket - 1));
  }
  const long offset = steady_ ? offset_ : localOffsetAt(utcSeconds);
  std::int64_t local = t + offset;
  local -= local - floorDiv(local, 2) * 2;  // the two-second grid of the date format
  return fromLocalSeconds(local);
}

}  // namespace kolvex
