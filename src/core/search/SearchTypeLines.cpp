#include "core/search/SearchTypeLines.h"

#include <algorithm>
#include <cctype>

#include "core/search/MaskErrorText.h"

namespace kolvex {
namespace {

bool blank(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isspace(c) != 0; });
}

std::string joined(const std::vector<std::string>& lines, const char* between) {
  std::string out;
  for (const std::string& line : lines) out += (out.empty() ? "" : between) + line;
  return out;
}

}  // namespace

SearchTypeLines sortSearchTypeLines(const std::vector<std::string>& lines, LanguageFile& language) {
  SearchTypeLines sorted;
  for (const std::string& line : lines) {
    const std::size_t bar = line.find('|');
    if (bar == std::string::npos) {
      if (!blank(line)) sorted.withoutBar.push_back(line);
      continue;
    }
    std::string caption = line.substr(0, bar), mask = line.substr(bar + 1);
    if (blank(caption)) {
      sorted.withoutName.push_back(line);
    } else if (auto fault = maskListError(language, mask)) {
      sorted.badMask.push_back(line + "\n" + *fault);
    } else {
      sorted.captions.push_back(std::move(caption));
      sorted.masks.push_back(std::move(mask));
    }
  }
  return sorted;
}

std::string searchTypesLeftOutText(const SearchTypeLines& sorted, LanguageFile& language) {
  static constexpr struct {
    std::vector<std::string> SearchTypeLines::*lines;
    const char* key;
    const char* between;  // a fault takes a line of its own under its line
  } kParts[] = {{&SearchTypeLines::withoutBar, "A084", "\n"},
                {&SearchTypeLines::withoutName, "A090", "\n"},
                {&SearchTypeLines::badMask, "A092", "\n\n"}};
  std::string text;
  for (const auto& part : kParts) {
    const auto& lines = sorted.*part.lines;
    if (lines.empty()) continue;
    if (!text.empty()) text += "\n\n";
    text += language.format(part.key, {joined(lines, part.between)});
  }
  return text;
}

}  // namespace kolvex
