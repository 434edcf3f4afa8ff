#pragma once
// What the desktop's "explore" opens for an item found on its medium: the folder that
// holds a file, a folder itself. Paths are the file system's bytes and stay so.
#include <string>

namespace kolvex {

std::string ExploreTarget(const std::string& realPath);

}  // namespace kolvex
