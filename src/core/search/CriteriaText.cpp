#include "core/search/CriteriaText.h"

#include <cctype>
#include <cstdint>
#include <ctime>
#include <limits>
#include <vector>

#include "core/persist/DayCount.h"
#include "core/search/CriteriaSummaries.h"

namespace kolvex {
namespace {

std::vector<std::string_view> splitList(std::string_view text) {
  std::vector<std::string_view> parts;
  if (text.empty()) return parts;
  for (std::size_t from = 0;;) {
    const std::size_t comma = text.find(',', from);
    parts.push_back(text.substr(from, comma == std::string_view::npos ? comma : comma - from));
    if (comma == std::string_view::npos) return parts;
    from = comma + 1;
  }
}

bool splitRange(std::string_view text, std::string_view& from, std::string_view& to) {
  const std::size_t dots = text.find("..");
  if (dots == std::string_view::npos || text.find("..", dots + 2) != std::string_view::npos)
    return false;
  from = text.substr(0, dots);
  to = text.substr(dots + 2);
  return true;
}

bool digits(std::string_view s, std::size_t at, std::size_t n, int& value) {
  if (at + n > s.size()) return false;
  value = 0;
  for (std::size_t i = at; i < at + n; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    value = value * 10 + (s[i] - '0');
  }
  return true;
}

// A size as the size panel holds it: the spin edit's text and the unit's index.
bool splitSize(std::string_view s, std::string& number, int& unit) {
  std::size_t at = 0;
  while (at < s.size() && !std::isalpha(static_cast<unsigned char>(s[at]))) ++at;
  number = std::string(s.substr(0, at));
  std::string u(s.substr(at));
  for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (u.empty()) {
    unit = kUnitB;
    return true;
  }
  for (int i = 0; i < kUnitCount; ++i)
    if (u == SizeUnitText(i)) {
      unit = i;
      return true;
    }
  return false;
}

}  // namespace

std::string ApplyKindsText(std::string_view text, CriteriaPanel& panel) {
  panel.searchForArchive = panel.searchForDirs = panel.searchForFiles = false;
  for (std::string_view w : splitList(text)) {
    if (w == "catalogs")
      panel.searchForArchive = true;
    else if (w == "dirs")
      panel.searchForDirs = true;
    else if (w == "files")
      panel.searchForFiles = true;
    else
      return "'" + std::string(w) + "' is not one of catalogs, dirs, files";
  }
  return {};
}

std::string ApplyAttributesText(std::string_view text, CriteriaPanel& panel) {
  panel.anyFile = panel.hiddenFile = panel.systemFile = panel.readOnlyFile = panel.archiveFile =
      false;
  for (std::string_view w : splitList(text)) {
    if (w == "any")
      panel.anyFile = true;
    else if (w == "hidden")
      panel.hiddenFile = true;
    else if (w == "system")
      panel.systemFile = true;
    else if (w == "readonly")
      panel.readOnlyFile = true;
    else if (w == "archive")
      panel.archiveFile = true;
    else
      return "'" + std::string(w) + "' is not one of any, hidden, system, readonly, archive";
  }
  return {};
}

// YYYY-MM-DD[THH:MM:SS] as a day count of local time, as catalogs keep time stamps; a date
// alone stands for its first second (lower bound) or its last (upper bound).
std::optional<double> DayCountOfDateText(std::string_view s, bool upper) {
  std::tm t{};
  if (s.size() != 10 && s.size() != 19) return std::nullopt;
  if (!digits(s, 0, 4, t.tm_year) || s[4] != '-' || !digits(s, 5, 2, t.tm_mon) || s[7] != '-' ||
      !digits(s, 8, 2, t.tm_mday))
    return std::nullopt;
  if (s.size() == 19 &&
      (s[10] != 'T' || !digits(s, 11, 2, t.tm_hour) || s[13] != ':' ||
       !digits(s, 14, 2, t.tm_min) || s[16] != ':' || !digits(s, 17, 2, t.tm_sec)))
    return std::nullopt;
  if (s.size() == 10 && upper) {
    t.tm_hour = 23;
    t.tm_min = t.tm_sec = 59;
  }
  if (t.tm_year < 1) return std::nullopt;
  const std::tm given = t;
  t.tm_year -= 1900;
  t.tm_mon -= 1;
  // The fields as calendar seconds, without a time zone: the day count is local time too.
  const std::int64_t seconds = ::timegm(&t);
  // timegm moves 30 February to 2 March; a date that moved did not exist.
  if (t.tm_year + 1900 != given.tm_year || t.tm_mon + 1 != given.tm_mon ||
      t.tm_mday != given.tm_mday || t.tm_hour != given.tm_hour || t.tm_min != given.tm_min ||
      t.tm_sec != given.tm_sec)
    return std::nullopt;
  return DayCountOfLocalSeconds(seconds);
}

std::string ApplyDateText(std::string_view text, CriteriaPanel& panel) {
  std::string_view from, to;
  if (!splitRange(text, from, to)) return "'" + std::string(text) + "' is not FROM..TO";
  const auto bound = [](std::string_view s, bool upper, double open) -> std::optional<double> {
    return s.empty() ? std::optional<double>(open) : DayCountOfDateText(s, upper);
  };
  const std::optional<double> lo = bound(from, false, std::numeric_limits<double>::lowest());
  const std::optional<double> hi = bound(to, true, std::numeric_limits<double>::max());
  if (!lo || !hi)
    return "'" + std::string(!lo ? from : to) + "' is not a date YYYY-MM-DD[THH:MM:SS]";
  panel.enableDate = true;
  panel.dateFrom = *lo;
  panel.dateTo = *hi;
  return {};
}

std::string ApplySizeText(std::string_view text, CriteriaPanel& panel, LanguageFile& language,
                      TUSearch& search) {
  std::string_view from, to;
  if (!splitRange(text, from, to)) return "'" + std::string(text) + "' is not MIN..MAX";
  panel.enableSize = true;
  const std::string lowest = std::to_string(std::numeric_limits<std::int64_t>::min());
  const std::string highest = std::to_string(std::numeric_limits<std::int64_t>::max());
  if (from.empty()) from = lowest;
  if (to.empty()) to = highest;
  if (!splitSize(from, panel.betweenText, panel.betweenUnit) ||
      !splitSize(to, panel.andText, panel.andUnit) || !SizeChange(panel, language, search))
    return "'" + std::string(text) +
           "' is not a size range (whole numbers with an optional unit B, KB, MB or GB, "
           "within 64 bits)";
  return {};
}

}  // namespace kolvex
