#pragma once
// The volumes mounted now, for the commands that ask whether a catalog's medium is here.
#include <vector>

#include "platform/Volume.h"

namespace kolvex::cli {

// Empty when the mount list cannot be read.
std::vector<Volume> mountedVolumes();

}  // namespace kolvex::cli
