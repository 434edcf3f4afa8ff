#include "platform/LocateOrder.h"

#include <algorithm>

namespace kolvex {

std::vector<Volume> volumesForLocate(const std::vector<Volume>& volumes,
                                     std::string_view createSerial, bool removable) {
  std::vector<Volume> chosen;
  for (const auto& v : volumes)
    if (isRemovableKind(v.kind) == removable) chosen.push_back(v);
  std::stable_partition(chosen.begin(), chosen.end(), [&](const Volume& v) {
    return v.serial && v.serialText() == createSerial;
  });
  return chosen;
}

}  // namespace kolvex
