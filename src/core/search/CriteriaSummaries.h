#pragma once
// What a change of a criteria control does: fill the matching fields of the criteria
// record and give the one-line summary shown beside the panel's button, in the current
// language.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/app/LanguageFile.h"
#include "core/persist/TSCOptions.h"
#include "core/search/CriteriaPanel.h"
#include "core/search/TUSearch.h"

namespace kolvex {

// The short-format date of a day count (the windows use the locale's).
using ShortDateText = std::function<std::string(double dayCount)>;

// The texts of the size-unit items ("GB", "MB", "KB", "B") and their multipliers
// (1024 to the power 3 - index); an index outside the list has no text and multiplier 0.
std::string_view SizeUnitText(int index);
std::int64_t SizeUnitMultiplier(int index);

// The value of a whole-number spin edit's text: an optional sign and decimal digits,
// blanks around them allowed; nothing for anything else or a value beyond 64 bits.
std::optional<std::int64_t> WholeNumber(std::string_view text);

// SearchFor from the three kind boxes.
std::string SearchForChange(const CriteriaPanel& panel, LanguageFile& language, TUSearch& search);
// Attributes from the five attribute boxes.
std::string FileAttrChange(const CriteriaPanel& panel, LanguageFile& language, TUSearch& search);
// DateEnabled, DateFrom and DateTo from the date panel.
std::string DateChange(const CriteriaPanel& panel, LanguageFile& language,
                       const ShortDateText& shortDate, TUSearch& search);
// SizeEnabled, MinSize and MaxSize from the size panel. Nothing, and the record as it
// was, when a spin edit's text is not a whole number, is -1122, or its product with the
// unit does not fit in 64 bits (or a unit index is outside the list).
std::optional<std::string> SizeChange(const CriteriaPanel& panel, LanguageFile& language,
                                      TUSearch& search);

// The four summaries, rebuilt all at once (after creation and after a language change).
struct CriteriaSummaries {
  std::string searchFor, date, size, attributes;
};
// The size summary stays as it was when the size texts are not usable.
void RefreshSummaries(const CriteriaPanel& panel, LanguageFile& language,
                      const ShortDateText& shortDate, TUSearch& search,
                      CriteriaSummaries& summaries);

// Refills both category lists from the options, line for line; no category is chosen
// afterwards and the mask keeps its text.
void LoadCategories(CriteriaPanel& panel, const TSCOptions& options);
// A category was chosen: the mask becomes its mask line.
void CategoriesChange(CriteriaPanel& panel, int index);
// A key was typed in the mask edit: the mask is the user's own from now on.
void MaskKeyPress(CriteriaPanel& panel);

}  // namespace kolvex
