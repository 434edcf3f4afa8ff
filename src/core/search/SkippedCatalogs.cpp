#include "core/search/SkippedCatalogs.h"

namespace kolvex {
namespace {

// A message box taller than this would no longer fit on the screen.
constexpr std::size_t kLinesShown = 15;

}  // namespace

std::string SkippedCatalogLine(const SkippedCatalog& skipped) {
  if (skipped.reason.find(skipped.path) != std::string::npos)
    return skipped.label + ": " + skipped.reason;
  return skipped.label + " (" + skipped.path + "): " + skipped.reason;
}

std::string SkippedCatalogsText(LanguageFile& language, const std::vector<SkippedCatalog>& skipped) {
  std::string lines;
  const std::size_t shown = skipped.size() > kLinesShown ? kLinesShown - 1 : skipped.size();
  for (std::size_t i = 0; i < shown; ++i) lines += "\n" + SkippedCatalogLine(skipped[i]);
  if (shown < skipped.size())
    lines += "\n" + language.format("A086", {static_cast<std::int64_t>(skipped.size() - shown)});
  return language.format("A085", {lines.empty() ? lines : lines.substr(1)});
}

}  // namespace kolvex
