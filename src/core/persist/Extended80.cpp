#include "core/persist/Extended80.h"

#include <cmath>
#include <cstring>

namespace kolvex {

void doubleToExtended(double value, std::uint8_t out[10]) {
  std::memset(out, 0, 10);
  std::uint16_t signExp = std::signbit(value) ? 0x8000 : 0;
  double mag = std::fabs(value);
  std::uint64_t mantissa = 0;
  if (std::isnan(mag)) {
    signExp |= 0x7FFF;
    mantissa = 0xC000000000000000ULL;
  } else if (std::isinf(mag)) {
    signExp |= 0x7FFF;
    mantissa = 0x8000000000000000ULL;
  } else if (mag != 0.0) {
    int exp = 0;
    double frac = std::frexp(mag, &exp);  // mag = frac * 2^exp, frac in [0.5, 1)
    // frac * 2^64 is an integer below 2^64 because a double has 53 significant bits.
    mantissa = static_cast<std::uint64_t>(std::ldexp(frac, 64));
    signExp |= static_cast<std::uint16_t>(exp - 1 + 16383);
  }
  for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
  out[8] = static_cast<std::uint8_t>(signExp);
  out[9] = static_cast<std::uint8_t>(signExp >> 8);
}

bool extendedToDouble(const std::uint8_t in[10], double& value) {
  std::uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | in[i];
  std::uint16_t signExp = static_cast<std::uint16_t>(in[8] | (in[9] << 8));
  bool negative = (signExp & 0x8000) != 0;
  int exp = signExp & 0x7FFF;
  if (exp == 0x7FFF) return false;
  if (mantissa == 0) {
    value = negative ? -0.0 : 0.0;
    return true;
  }
  // value = mantissa * 2^(exp - 16383 - 63); a zero exponent is denormal (bias 16382).
  int shift = (exp == 0 ? 1 : exp) - 16383 - 63;
  int top = 63;
  while (!(mantissa >> top)) --top;  // highest set bit
  if (top + shift > 1023) return false;
  // The uint64 -> double conversion rounds to nearest; ldexp scales without overflow
  // (checked above) and underflows gently to a denormal or zero.
  double result = std::ldexp(static_cast<double>(mantissa), shift);
  if (std::isinf(result)) return false;  // rounding carried past the largest double
  value = negative ? -result : result;
  return true;
}

}  // namespace kolvex
