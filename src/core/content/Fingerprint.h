#pragma once
// A file's content fingerprint: the 128-bit XXH3 hash of its bytes.
#include <cstdint>
#include <string>

namespace kolvex {

struct Fingerprint {
  std::uint64_t low = 0;
  std::uint64_t high = 0;

  friend bool operator==(const Fingerprint&, const Fingerprint&) = default;
  friend auto operator<=>(const Fingerprint&, const Fingerprint&) = default;
  // 32 lower-case hex digits, high half first: the canonical form `xxhsum -H128` prints.
  std::string hex() const;
};

// The fingerprint of bytes held in memory (names, headers).
Fingerprint fingerprintOf(const void* data, std::size_t size);

}  // namespace kolvex
