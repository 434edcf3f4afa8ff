#include "core/catalog/FormatSize.h"

#include <clocale>
#include <cmath>
#include <cstdio>

namespace kolvex {

namespace {

const char* localeSeparator() {
  const char* point = std::localeconv()->decimal_point;
  return point && *point ? point : ".";
}

std::string formatted(std::int64_t bytes, const std::string& decimalSeparator, bool twoDecimals) {
  static const char* const kUnits[] = {"B", "KB", "MB", "GB", "TB"};
  double v = static_cast<double>(bytes);
  int unit = 0;
  while (v >= 1024 && unit < 4) {
    v /= 1024;
    ++unit;
  }
  v = std::trunc(v * 100) / 100;
  char buf[64];
  std::snprintf(buf, sizeof buf, twoDecimals && unit > 0 ? "%.2f" : "%.15g", v);
  std::string text = buf;
  // snprintf runs in the C locale's numeric format only if set; normalise the separator.
  auto dot = text.find_first_of(".,");
  if (dot != std::string::npos) text.replace(dot, 1, decimalSeparator);
  return text + " " + kUnits[unit];
}

}  // namespace

std::string FormatSize(std::int64_t bytes, const std::string& decimalSeparator) {
  return formatted(bytes, decimalSeparator, false);
}

std::string FormatSize(std::int64_t bytes) { return formatted(bytes, localeSeparator(), false); }

std::string FormatKnownSize(std::int64_t bytes, const std::string& unknown) {
  return bytes < 0 ? unknown : FormatSize(bytes);
}

std::string FormatSizeTwoDecimals(std::int64_t bytes) {
  return formatted(bytes, localeSeparator(), true);
}

}  // namespace kolvex
