#include "core/search/SearchState.h"

namespace kolvex {

SearchControls ControlsOf(SearchState state) {
  SearchControls c;
  switch (state) {
    case SearchState::Idle:
      break;
    case SearchState::Searching:
      c.criteriaEnabled = false;
      c.clearEnabled = false;
      c.stopEnabled = true;
      c.pauseEnabled = true;
      c.searchEnabled = false;
      break;
    case SearchState::Paused:
      c.criteriaEnabled = false;
      c.stopEnabled = true;
      c.searchCaptionKey = "A050";
      c.pausedShown = true;
      break;
  }
  return c;
}

}  // namespace kolvex
