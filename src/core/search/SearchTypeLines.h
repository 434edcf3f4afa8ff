#pragma once
// The search types as the options view edits them, one "Name|mask" line each, sorted into
// what the search can use and what it cannot: a line without a bar, one without a name
// (an empty line of the Kind list) and one whose mask cannot be compiled (every search of
// that kind would fail) are left out, and the user is told which.
#include <string>
#include <vector>

#include "core/app/LanguageFile.h"

namespace kolvex {

struct SearchTypeLines {
  std::vector<std::string> captions;  // kept, with the mask of the same index
  std::vector<std::string> masks;
  std::vector<std::string> withoutBar;   // the lines as written; blank lines are none
  std::vector<std::string> withoutName;
  std::vector<std::string> badMask;  // each line, a line break, the mask's fault

  bool leftSomethingOut() const {
    return !withoutBar.empty() || !withoutName.empty() || !badMask.empty();
  }
};

// The first bar parts name from mask; the mask may hold further bars.
SearchTypeLines sortSearchTypeLines(const std::vector<std::string>& lines, LanguageFile& language);

// What was left out and why, in the program's language; empty when nothing was.
std::string searchTypesLeftOutText(const SearchTypeLines& sorted, LanguageFile& language);

}  // namespace kolvex
