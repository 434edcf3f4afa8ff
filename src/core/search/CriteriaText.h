#pragma once
// Search criteria written as text (the command line's options), read into the criteria
// panel's values by the panel's own rules. Each function sets what the text gives and
// returns why the text is wrong, or an empty text when it fits.
#include <optional>
#include <string>
#include <string_view>

#include "core/app/LanguageFile.h"
#include "core/search/CriteriaPanel.h"
#include "core/search/TUSearch.h"

namespace kolvex {

// "catalogs,dirs,files" or any of them: the three kind boxes.
std::string ApplyKindsText(std::string_view text, CriteriaPanel& panel);
// "any", or any of "hidden,system,readonly,archive": the five attribute boxes.
std::string ApplyAttributesText(std::string_view text, CriteriaPanel& panel);
// "FROM..TO" of dates YYYY-MM-DD[THH:MM:SS] in local time, both included; a date alone
// stands for its first second in FROM and its last in TO; an empty side is open.
std::string ApplyDateText(std::string_view text, CriteriaPanel& panel);
// "MIN..MAX" of whole numbers with an optional unit B, KB, MB or GB (B when none); an
// empty side is open. The size fields of the record come with it (SizeChange).
std::string ApplySizeText(std::string_view text, CriteriaPanel& panel, LanguageFile& language,
                          TUSearch& search);

// A date YYYY-MM-DD[THH:MM:SS] as a local day count; a date alone is its first second,
// or its last when upper. Nothing for a malformed date or one the calendar does not have.
std::optional<double> DayCountOfDateText(std::string_view text, bool upper);

}  // namespace kolvex
