#include "cli/FieldText.h"

#include <cstdio>

#include "core/catalog/DateTimeText.h"

namespace kolvex::cli {

std::string fieldText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7f || c == '\\') {
      char buf[5];
      std::snprintf(buf, sizeof buf, "\\%03o", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string dateField(double dayCount) {
  const std::string text = IsoDateTimeText(dayCount);
  return text.empty() ? "?" : text;
}

}  // namespace kolvex::cli
