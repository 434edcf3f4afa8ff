#include "core/catalog/ScanState.h"

namespace kolvex {

ScanState& TheScanState() {
  static ScanState state;
  return state;
}

}  // namespace kolvex
