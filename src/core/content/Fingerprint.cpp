#include "core/content/Fingerprint.h"

#include <xxhash.h>

#include <cstdio>

namespace kolvex {

std::string Fingerprint::hex() const {
  char text[33];
  std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(high),
                static_cast<unsigned long long>(low));
  return text;
}

Fingerprint fingerprintOf(const void* data, std::size_t size) {
  XXH128_hash_t h = XXH3_128bits(data, size);
  return {h.low64, h.high64};
}

}  // namespace kolvex
