#include "core/index/IndexFormat.h"

#define XXH_STATIC_LINKING_ONLY  // XXH3_state_t on the stack
#include <xxhash.h>

namespace kolvex::index {

std::string foldName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(foldByte(static_cast<unsigned char>(c)));
  return folded;
}

std::uint64_t digestOf(const void* data, std::size_t size) { return XXH3_64bits(data, size); }

std::uint64_t digestOf(const void* a, std::size_t aSize, const void* b, std::size_t bSize) {
  XXH3_state_t state;
  XXH3_64bits_reset(&state);
  XXH3_64bits_update(&state, a, aSize);
  XXH3_64bits_update(&state, b, bSize);
  return XXH3_64bits_digest(&state);
}

}  // namespace kolvex::index
