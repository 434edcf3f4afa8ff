#pragma once
// Sums of sizes read from catalogs: a damaged or foreign catalog may hold any 64-bit
// value, and a sum must neither overflow nor go below zero.
#include <cstdint>
#include <limits>

namespace kolvex {

// A size as it counts in a sum: negative sizes count as nothing.
inline std::int64_t countedSize(std::int64_t size) { return size < 0 ? 0 : size; }

// a + b for non-negative values, stopping at the largest 64-bit value.
inline std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  return a > kMax - b ? kMax : a + b;
}

}  // namespace kolvex
