#include "core/catalog/LocalDayCount.h"

#include <ctime>

#include "core/persist/DayCount.h"

namespace kolvex {

long localOffsetAt(std::time_t utcSeconds) {
  std::tm local{};
  if (!::localtime_r(&utcSeconds, &local)) return 0;
  return local.tm_gmtoff;
}

double LocalDayCount::fromLocalSeconds(std::int64_t localSeconds) {
  return DayCountOfLocalSeconds(localSeconds);
}

double LocalDayCount::now() {
  std::time_t t = std::time(nullptr);
  return fromLocalSeconds(static_cast<std::int64_t>(t) + localOffsetAt(t));
}

double LocalDayCount::operator()(std::time_t utcSeconds) {
  const std::int64_t t = utcSeconds;
  const std::int64_t bucket = FloorDiv(t, kBucket);
  if (bucket != bucket_) {
    bucket_ = bucket;
    offset_ = localOffsetAt(static_cast<std::time_t>(bucket * kBucket));
    steady_ = offset_ == localOffsetAt(static_cast<std::time_t>(bucket * kBucket + kBucket - 1));
  }
  const long offset = steady_ ? offset_ : localOffsetAt(utcSeconds);
  std::int64_t local = t + offset;
  local -= local - FloorDiv(local, 2) * 2;  // the two-second grid of the date format
  return fromLocalSeconds(local);
}

}  // namespace kolvex
