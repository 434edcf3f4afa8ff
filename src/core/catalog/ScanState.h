#pragma once
// The state of the one scan the program may run at a time, shared by the whole process:
// the Cancel buttons of both progress windows set AddingCancelled, the walk reads it
// before every entry.
#include <cstdint>

namespace kolvex {

struct ScanState {
  bool AddingCancelled = false;
  // Records finished so far in the walk (files and finished sub-directories).
  std::int64_t AddedCount = 0;
  // A scan is under way; a second start is refused.
  bool Running = false;
};

ScanState& TheScanState();

}  // namespace kolvex
