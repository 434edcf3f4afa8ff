#pragma once
// What the search view observes of a run. Every call comes after the engine's state has
// changed, so the view may read the engine from inside it. Calls during a run come from
// inside the run's event processing or between its records; the view must not destroy
// the engine there.
#include <cstdint>
#include <string>

#include "core/search/SearchState.h"
#include "core/search/SkippedCatalogs.h"
#include "core/search/TTSearchResultItem.h"

namespace kolvex {

class SearchListener {
 public:
  virtual ~SearchListener() = default;
  // Idle, searching or paused: the view sets its controls from ControlsOf(state).
  virtual void stateChanged(SearchState /*state*/) {}
  // A run starts: the result list frees its rows and switches its sorting off, so that
  // rows stay in the order in which they are found.
  virtual void resultsCleared() {}
  // One hit, handed over: the result list may move it away and own it (and fills
  // KindText for directories and files). What it leaves behind is the engine's again.
  virtual void hitFound(TTSearchResultItem&& /*hit*/) {}
  // The text of the status bar.
  virtual void statusChanged(const std::string& /*text*/) {}
  // A run that reads records starts: the progress bar runs from 0 to maximum over the
  // whole run, each catalog having an equal share.
  virtual void progressStarted(std::int64_t /*maximum*/) {}
  // Where the run is, reported just before window events run.
  virtual void progressChanged(std::int64_t /*position*/) {}
  // The run is done: the progress bar is hidden and the status bar fills the strip.
  virtual void progressEnded() {}
  // A catalog could not be read and the run goes on without it (its hits so far stay).
  virtual void catalogSkipped(const SkippedCatalog& /*skipped*/) {}
};

}  // namespace kolvex
