// The order of names as people read them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/catalog/NaturalOrder.h"

namespace kolvex {
namespace {

std::vector<std::string> sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return NaturalLess(a, b);
  });
  return names;
}

TEST(NaturalOrder, NumbersCountByValueAndLettersIgnoreCase) {
  EXPECT_EQ(sorted({"disc 10", "Disc 9", "disc 1", "disc 100", "Disc 2"}),
            (std::vector<std::string>{"disc 1", "Disc 2", "Disc 9", "disc 10", "disc 100"}));
  EXPECT_EQ(sorted({"lib64", "lib", "Lib32", "include", "bin", "games", "local", "share"}),
            (std::vector<std::string>{"bin", "games", "include", "lib", "Lib32", "lib64", "local",
                                      "share"}));
  // A run of digits longer than any integer still compares by value.
  EXPECT_LT(NaturalCompare("x99999999999999999999999", "x100000000000000000000000"), 0);
  EXPECT_LT(NaturalCompare("a1", "ab"), 0);
  EXPECT_LT(NaturalCompare("a", "a1"), 0);
}

TEST(NaturalOrder, NamesEqualToPeopleStillHaveOneOrder) {
  EXPECT_NE(NaturalCompare("Readme", "README"), 0);
  EXPECT_EQ(NaturalCompare("Readme", "README"), -NaturalCompare("README", "Readme"));
  EXPECT_NE(NaturalCompare("a01", "a1"), 0);
  EXPECT_EQ(NaturalCompare("same", "same"), 0);
  // Leading zeros do not make a number larger.
  EXPECT_LT(NaturalCompare("track 007", "track 10"), 0);
}

TEST(NaturalOrder, LatinCapitalsFoldAndOtherBytesStayInOrder) {
  // "Äpfel" and "äpfel" sit together, before "ö".
  EXPECT_LT(NaturalCompare("\xC3\x84pfel", "\xC3\xA4pfelb"), 0);
  EXPECT_LT(NaturalCompare("\xC3\xA4pfelb", "\xC3\xB6l"), 0);
  // Names that are not UTF-8 compare by their bytes, after the ASCII ones.
  EXPECT_LT(NaturalCompare("zebra", "\xFF\xFE"), 0);
  EXPECT_LT(NaturalCompare("\xC3", "\xC3\x84"), 0);  // a cut-off sequence is no crash
}

}  // namespace
}  // namespace kolvex
