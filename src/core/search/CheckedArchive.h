#pragma once
// One entry of the search's catalog list: the label shown, the catalog file behind it,
// and whether its box is ticked (only ticked catalogs are searched).
#include <string>

namespace kolvex {

struct CheckedArchive {
  std::string label;
  std::string path;
  bool checked = true;

  bool operator==(const CheckedArchive&) const = default;
};

}  // namespace kolvex
