#pragma once
// Which volumes to look on for a catalogued item whose medium moved, and in which order.
#include <string_view>
#include <vector>

#include "platform/Volume.h"

namespace kolvex {

// The volumes of the catalog's class (not fixed when `removable`, fixed otherwise), those
// whose serial text equals the catalog's `CreateSerial` first, each group in mount-point
// order as given.
std::vector<Volume> volumesForLocate(const std::vector<Volume>& volumes,
                                     std::string_view createSerial, bool removable);

}  // namespace kolvex
