// The 80-bit date-time values: narrowing rounds once, to nearest, like the processor's
// own conversion, also at the denormal end; values no double holds are refused.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>

#include "core/persist/Extended80.h"

namespace kolvex {
namespace {

TEST(Extended80, NarrowingMatchesTheHardwareConversion) {
  if (LDBL_MANT_DIG != 64) GTEST_SKIP() << "long double is not the 80-bit format here";
  std::mt19937_64 rng(7);
  int checked = 0;
  for (int i = 0; i < 300000; ++i) {
    std::uint8_t b[10];
    std::uint64_t m = rng() | (std::uint64_t{1} << 63);  // normalised, as the hardware wants
    // Exponents around the whole double range, the denormal end included.
    int exp = 16383 + static_cast<int>(rng() % 2200) - 1100;
    std::uint16_t se = static_cast<std::uint16_t>(((rng() & 1) << 15) | exp);
    std::memcpy(b, &m, 8);
    std::memcpy(b + 8, &se, 2);
    long double ld;
    std::memcpy(&ld, b, 10);
    double got = 0;
    bool ok = extendedToDouble(b, got);
    if (std::fabs(ld) > static_cast<long double>(DBL_MAX)) {
      EXPECT_FALSE(ok && std::isinf(got));
      continue;
    }
    double want = static_cast<double>(ld);
    ASSERT_TRUE(ok) << static_cast<double>(ld);
    ASSERT_EQ(std::memcmp(&want, &got, 8), 0) << want << " vs " << got;
    ++checked;
  }
  EXPECT_GT(checked, 200000);
}

TEST(Extended80, DoublesRoundTripExactlyAndSpecialValuesAreRefused) {
  for (double d : {0.0, -0.0, 1.0, 37622.5, 4.9e-324, 2.2250738585072014e-308, DBL_MAX, -1e300}) {
    std::uint8_t b[10];
    doubleToExtended(d, b);
    double back = 1;
    ASSERT_TRUE(extendedToDouble(b, back));
    EXPECT_EQ(std::memcmp(&d, &back, 8), 0) << d;
  }
  std::uint8_t inf[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F};
  double v;
  EXPECT_FALSE(extendedToDouble(inf, v));
  std::uint8_t huge[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x44};  // 2^1025
  EXPECT_FALSE(extendedToDouble(huge, v));
}

}  // namespace
}  // namespace kolvex
