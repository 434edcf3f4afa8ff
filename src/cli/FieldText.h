#pragma once
// Texts in tab-separated output: tabs, line breaks, other control characters and "\" are
// written as "\ooo" octal escapes (the form of /proc/self/mountinfo), so every line keeps
// its columns. Other bytes, including those of names that are not UTF-8, stay as they are.
#include <string>
#include <string_view>

namespace kolvex::cli {

std::string fieldText(std::string_view text);

// A time stamp in tab-separated output: ISO 8601 local time ("2026-12-08T14:07:56"), or
// "?" for a day count that names no date.
std::string dateField(double dayCount);

}  // namespace kolvex::cli
