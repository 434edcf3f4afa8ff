#pragma once
// Catalogs a search run could not read: deleted, unreadable or damaged while (or before)
// the run reached them. The run goes on with the other catalogs and says at its end which
// ones it skipped and why.
#include <string>
#include <vector>

#include "core/app/LanguageFile.h"

namespace kolvex {

struct SkippedCatalog {
  std::string label;
  std::string path;
  std::string reason;  // in the program's language

  bool operator==(const SkippedCatalog&) const = default;
};

// One line: the label and the reason, with the file's path when the reason does not
// already name it.
std::string SkippedCatalogLine(const SkippedCatalog& skipped);

// The message after a run: what was skipped, one line each; a long list names the first
// ones and counts the rest.
std::string SkippedCatalogsText(LanguageFile& language, const std::vector<SkippedCatalog>& skipped);

}  // namespace kolvex
