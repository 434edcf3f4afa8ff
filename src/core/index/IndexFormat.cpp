#include "core/index/IndexFormat.h"

#include <xxhash.h>

namespace kolvex::index {

std::string foldName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(foldByte(static_cast<unsigned char>(c)));
  return folded;
}

std::uint64_t digestOf(const void* data, std::size_t size) { return XXH3_64bits(data, size); }

}  // namespace kolvex::index
