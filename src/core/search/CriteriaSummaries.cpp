#include "core/search/CriteriaSummaries.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace kolvex {
namespace {

constexpr std::array<std::string_view, kUnitCount> kUnitTexts = {"GB", "MB", "KB", "B"};

// A value the spin edits use for "no value"; a size range is never set from it.
constexpr std::int64_t kNoSpinValue = -1122;

bool blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string_view SizeUnitText(int index) {
  return index >= 0 && index < kUnitCount ? kUnitTexts[static_cast<std::size_t>(index)]
                                          : std::string_view();
}

std::int64_t SizeUnitMultiplier(int index) {
  if (index < 0 || index >= kUnitCount) return 0;
  return std::int64_t{1} << (10 * (kUnitCount - 1 - index));
}

std::optional<std::int64_t> WholeNumber(std::string_view text) {
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('-')) return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string SearchForChange(const CriteriaPanel& panel, LanguageFile& language, TUSearch& search) {
  const std::string catalogs = panel.searchForArchive ? language.message("A034") : "";
  const std::string dirs = panel.searchForDirs ? language.message("A035") : "";
  const std::string files = panel.searchForFiles ? language.message("A036") : "";
  const int n = int{panel.searchForArchive} + int{panel.searchForDirs} + int{panel.searchForFiles};
  std::string joiner(1, ' ');  // built in steps: g++ 12 warns wrongly about " " + text
  joiner.append(language.message("A037")).append(1, ' ');

  search.SearchFor = static_cast<std::uint8_t>((panel.searchForArchive ? kSearchCatalogs : 0) |
                                               (panel.searchForDirs ? kSearchDirectories : 0) |
                                               (panel.searchForFiles ? kSearchFiles : 0));
  switch (n) {
    case 0:
      return language.message("A008");
    case 1:
      return panel.searchForArchive ? catalogs : panel.searchForDirs ? dirs : files;
    case 2:
      if (!panel.searchForFiles) return catalogs + joiner + dirs;
      return (panel.searchForArchive ? catalogs : dirs) + joiner + files;
    default:
      return catalogs + ", " + dirs + joiner + files;
  }
}

std::string FileAttrChange(const CriteriaPanel& panel, LanguageFile& language, TUSearch& search) {
  std::string text;
  if (panel.anyFile) text += language.message("A038");
  if (panel.hiddenFile) text += ", " + language.message("A041");
  if (panel.systemFile) text += ", " + language.message("A039");
  if (panel.readOnlyFile) text += ", " + language.message("A040");
  if (panel.archiveFile) text += ", " + language.message("A042");
  if (text.empty())
    text = language.message("A008");
  else if (text.front() == ',')
    text.erase(0, 1);  // the space after it stays

  search.Attributes = static_cast<std::uint8_t>(
      (panel.archiveFile ? kAttrArchive : 0) | (panel.anyFile ? kAttrAnyFile : 0) |
      (panel.hiddenFile ? kAttrHidden : 0) | (panel.systemFile ? kAttrSystem : 0) |
      (panel.readOnlyFile ? kAttrReadOnly : 0));
  return text;
}

std::string DateChange(const CriteriaPanel& panel, LanguageFile& language,
                       const ShortDateText& shortDate, TUSearch& search) {
  search.DateFrom = panel.dateFrom;
  search.DateTo = panel.dateTo;
  search.DateEnabled = panel.enableDate;
  if (!panel.enableDate) return language.message("A044");
  return shortDate(panel.dateFrom) + " " + language.message("A043") + " " + shortDate(panel.dateTo);
}

std::optional<std::string> SizeChange(const CriteriaPanel& panel, LanguageFile& language,
                                      TUSearch& search) {
  const std::int64_t fromUnit = SizeUnitMultiplier(panel.betweenUnit);
  const std::int64_t toUnit = SizeUnitMultiplier(panel.andUnit);
  const std::optional<std::int64_t> from = WholeNumber(panel.betweenText);
  const std::optional<std::int64_t> to = WholeNumber(panel.andText);
  if (!from || !to || *from == kNoSpinValue || *to == kNoSpinValue || fromUnit == 0 || toUnit == 0)
    return std::nullopt;
  std::int64_t minSize = 0, maxSize = 0;
  // A product beyond 64 bits would wrap into a range nobody asked for.
  if (__builtin_mul_overflow(*from, fromUnit, &minSize) ||
      __builtin_mul_overflow(*to, toUnit, &maxSize))
    return std::nullopt;

  search.MinSize = minSize;
  search.MaxSize = maxSize;
  search.SizeEnabled = panel.enableSize;
  if (!panel.enableSize) return language.message("A044");
  return std::to_string(*from) + std::string(SizeUnitText(panel.betweenUnit)) + " " +
         language.message("A043") + " " + std::to_string(*to) +
         std::string(SizeUnitText(panel.andUnit));
}

void RefreshSummaries(const CriteriaPanel& panel, LanguageFile& language,
                      const ShortDateText& shortDate, TUSearch& search,
                      CriteriaSummaries& summaries) {
  summaries.searchFor = SearchForChange(panel, language, search);
  summaries.attributes = FileAttrChange(panel, language, search);
  summaries.date = DateChange(panel, language, shortDate, search);
  if (std::optional<std::string> size = SizeChange(panel, language, search))
    summaries.size = std::move(*size);
}

void LoadCategories(CriteriaPanel& panel, const TSCOptions& options) {
  panel.categoryCaptions = options.SearchTypeCaptions->lines;
  panel.categoryMasks = options.SearchTypeMasks->lines;
  // The options view writes both lists from one line per category; a file edited by hand
  // may not, and a caption without its mask must not choose another category's mask.
  const std::size_t n = std::min(panel.categoryCaptions.size(), panel.categoryMasks.size());
  panel.categoryCaptions.resize(n);
  panel.categoryMasks.resize(n);
  panel.category = -1;
}

void CategoriesChange(CriteriaPanel& panel, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= panel.categoryMasks.size()) return;
  panel.category = index;
  panel.mask = panel.categoryMasks[static_cast<std::size_t>(index)];
}

void MaskKeyPress(CriteriaPanel& panel) { panel.category = -1; }

}  // namespace kolvex
