#include "core/persist/Extended80.h"

#include <bit>
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
  if (exp == 0x7FFF) return false;  // infinities and NaNs
  std::uint64_t bits = 0;
  if (mantissa != 0) {
    // value = mantissa * 2^(E - 63); normalise so that the top bit is set (denormal and
    // unnormal inputs have it clear).
    int E = (exp == 0 ? 1 : exp) - 16383;
    int lz = std::countl_zero(mantissa);
    mantissa <<= lz;
    E -= lz;
    int e = E + 1023;  // the double's biased exponent
    if (e >= 2047) return false;
    // Rounding to nearest, ties to even, on the bits that do not fit, done once (a
    // conversion followed by a scaling would round twice near the denormal range).
    auto round = [](std::uint64_t v, int drop) -> std::uint64_t {
      if (drop >= 65) return 0;
      if (drop == 64) return v > (std::uint64_t{1} << 63) ? 1 : 0;
      std::uint64_t kept = v >> drop, rest = v & ((std::uint64_t{1} << drop) - 1);
      std::uint64_t half = std::uint64_t{1} << (drop - 1);
      if (rest > half || (rest == half && (kept & 1))) ++kept;
      return kept;
    };
    if (e > 0) {
      // 52 fraction bits after the leading one; a carry moves into the exponent.
      bits = (static_cast<std::uint64_t>(e) << 52) + round(mantissa & 0x7FFFFFFFFFFFFFFFULL, 11);
      if ((bits >> 52) >= 2047) return false;
    } else {
      // A denormal double counts in units of 2^-1074.
      bits = round(mantissa, -1011 - E);
    }
  }
  if (negative) bits |= 0x8000000000000000ULL;
  std::memcpy(&value, &bits, sizeof value);
  return true;
}

}  // namespace kolvex
