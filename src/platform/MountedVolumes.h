#pragma once
// The volumes mounted now, for whoever asks whether a catalog's medium is here.
#include <vector>

#include "platform/Volume.h"

namespace kolvex {

// Empty when the mount list cannot be read.
std::vector<Volume> mountedVolumes();

}  // namespace kolvex
