#include "core/catalog/IconImage.h"

#include <cstdint>

namespace kolvex {

void DropUnreadableIcon(TIcon& icon) {
  const std::string& b = icon.bytes();
  if (b.empty()) return;
  unsigned type = b.size() >= 6
                      ? (static_cast<std::uint8_t>(b[2]) | (static_cast<std::uint8_t>(b[3]) << 8))
                      : 2;
  if (type != 0 && type != 1) icon.clear();
}

}  // namespace kolvex
