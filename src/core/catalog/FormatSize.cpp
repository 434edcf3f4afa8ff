#include "core/catalog/FormatSize.h"

#include <clocale>
#include <cmath>
#include <cstdio>

namespace kolvex {

std::string FormatSize(std::int64_t bytes, const std::string& decimalSeparator) {
  static const char* const kUnits[] = {"B", "KB", "MB", "GB", "TB"};
  double v = static_cast<double>(bytes);
  int unit = 0;
  while (v >= 1024 && unit < 4) {
    v /= 1024;
    ++unit;
  }
  v = std::trunc(v * 100) / 100;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  std::string text = buf;
  // snprintf runs in the C locale's numeric format only if set; normalise the separator.
  auto dot = text.find_first_of(".,");
  if (dot != std::string::npos) text.replace(dot, 1, decimalSeparator);
  return text + " " + kUnits[unit];
}

std::string FormatSize(std::int64_t bytes) {
  const char* point = std::localeconv()->decimal_point;
  return FormatSize(bytes, point && *point ? point : ".");
}

}  // namespace kolvex
