#pragma once
// The three states of the search view and what each one enables. The view shows them;
// the run moves between them.
#include <string_view>

namespace kolvex {

enum class SearchState { Idle, Searching, Paused };

// The controls of the view in one state. The Search button's caption is a message key.
struct SearchControls {
  bool criteriaEnabled = true;  // the criteria box
  bool clearEnabled = true;     // Clear Result
  bool stopEnabled = false;
  bool pauseEnabled = false;
  bool searchEnabled = true;
  std::string_view searchCaptionKey = "A049";  // "A050" (resume) while paused
  bool pausedShown = false;  // the blinking "Search paused..." panel and its timer

  bool operator==(const SearchControls&) const = default;
};

SearchControls ControlsOf(SearchState state);

}  // namespace kolvex
