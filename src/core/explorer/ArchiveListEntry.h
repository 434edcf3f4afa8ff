#pragma once
#include <string>

namespace kolvex {

// One catalog as the archive manager hands it on: the label shown in the catalog
// selectors and the catalog file behind it.
struct ArchiveListEntry {
  std::string label;  // CDLabel: the catalog's display name
  std::string path;   // full path of the catalog file
};

}  // namespace kolvex
