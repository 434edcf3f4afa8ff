#pragma once
// The test a directory or file record must pass to be a hit.
#include <string_view>

#include "core/persist/RecordScanner.h"
#include "core/search/TMaskList.h"
#include "core/search/TUSearch.h"

namespace kolvex {

// Name (the mask list), kind, attributes, date range, size range, in this order, stopping
// at the first that fails. Throws EMaskException when the name reaches an invalid mask.
bool RecordMatches(const RecordView& record, const TUSearch& criteria, TMaskList& masks);

}  // namespace kolvex
