#pragma once
// Everything a search run shows through its listener: hits, status texts, progress maxima;
// messages are filled in from the dialogs by whoever ran the search.
#include <cstdint>
#include <string>
#include <vector>

#include "core/search/SearchListener.h"

namespace kolvex::test {

struct SearchTranscript final : SearchListener {
  void stateChanged(SearchState) override {}
  void resultsCleared() override { hits.clear(); }
  void hitFound(TTSearchResultItem&& hit) override { hits.push_back(std::move(hit)); }
  void statusChanged(const std::string& text) override { statuses.push_back(text); }
  void progressStarted(std::int64_t maximum) override { maxima.push_back(maximum); }
  void progressEnded() override {}

  bool operator==(const SearchTranscript& o) const {
    return hits == o.hits && statuses == o.statuses && maxima == o.maxima && messages == o.messages;
  }

  std::vector<TTSearchResultItem> hits;
  std::vector<std::string> statuses;
  std::vector<std::int64_t> maxima;
  std::vector<std::string> messages;
};

}  // namespace kolvex::test
