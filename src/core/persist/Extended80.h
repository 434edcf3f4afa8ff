#pragma once
// The 10-byte extended-precision float in which date-times are stored.
#include <cstdint>

namespace kolvex {

// Writes value as 8 bytes of mantissa (explicit integer bit) and 2 bytes of sign and
// 15-bit exponent, little-endian. Exact: a double fits the 64-bit mantissa.
void doubleToExtended(double value, std::uint8_t out[10]);

// Narrows to the nearest double. Returns false for values no double holds (infinities,
// NaNs, magnitudes beyond the double range), which no date-time can be.
bool extendedToDouble(const std::uint8_t in[10], double& value);

}  // namespace kolvex
