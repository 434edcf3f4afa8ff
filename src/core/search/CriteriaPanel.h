#pragma once
// The controls of the search's criteria panel as plain values, for the windows to bind
// to; CriteriaSummaries.h turns them into the criteria record and the summary texts.
// The defaults are the panel's right after it was created.
#include <string>
#include <vector>

#include "core/search/TUSearch.h"

namespace kolvex {

// The items of the two size-unit lists, in list order.
inline constexpr int kUnitGB = 0;
inline constexpr int kUnitMB = 1;
inline constexpr int kUnitKB = 2;
inline constexpr int kUnitB = 3;
inline constexpr int kUnitCount = 4;

struct CriteriaPanel {
  std::string mask = "*.*";                   // eMask: a list of masks separated by ";"
  std::vector<std::string> categoryCaptions;  // cbCategories
  std::vector<std::string> categoryMasks;     // cbCateMasks, line for line
  int category = -1;                          // the chosen category; -1 for none

  bool searchForArchive = true;  // pSearchWhat
  bool searchForDirs = true;
  bool searchForFiles = true;

  bool enableDate = false;  // pDate; both pickers hold full date-time values
  double dateFrom = kPickerStartDate;
  double dateTo = kPickerStartDate;

  bool enableSize = false;  // pSize; the spin edits' texts as typed
  std::string betweenText = "1";
  int betweenUnit = kUnitKB;
  std::string andText = "100";
  int andUnit = kUnitKB;

  bool anyFile = true;  // pAttr
  bool hiddenFile = false;
  bool systemFile = false;
  bool readOnlyFile = false;
  bool archiveFile = false;
};

}  // namespace kolvex
