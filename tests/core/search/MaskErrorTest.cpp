// Invalid masks, their error positions, the "*" limit, and masks built to hurt.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/search/EMaskException.h"
#include "core/search/TMask.h"

namespace kolvex {
namespace {

// The position the compiler reports for mask, or 0 when it compiles.
std::size_t errorAt(const std::string& mask) {
  try {
    TMask compiled(mask);
  } catch (const EMaskException& e) {
    EXPECT_EQ(e.mask(), mask);
    return e.position();
  }
  return 0;
}

std::string starLetters(int count) {
  std::string mask;
  for (int i = 0; i < count; ++i) mask += std::string("*") + static_cast<char>('a' + i % 26);
  return mask;
}

TEST(MaskError, MessageNamesTheMaskAndPosition) {
  try {
    TMask mask("abc[");
    FAIL() << "compiled";
  } catch (const EMaskException& e) {
    EXPECT_STREQ(e.what(), "'abc[' is an invalid mask at (5)");
  }
  // The mask is user text; a "%" in it is not a format.
  try {
    TMask mask("%s%d[");
    FAIL() << "compiled";
  } catch (const EMaskException& e) {
    EXPECT_STREQ(e.what(), "'%s%d[' is an invalid mask at (6)");
  }
}

TEST(MaskError, SetErrorPositions) {
  EXPECT_EQ(errorAt("[]"), 2u);
  EXPECT_EQ(errorAt("[!]"), 3u);
  EXPECT_EQ(errorAt("abc["), 5u);
  EXPECT_EQ(errorAt("[-a]"), 2u);
  EXPECT_EQ(errorAt("x[!-a]"), 4u);
  EXPECT_EQ(errorAt("[a-"), 3u);  // the "-" has nothing after it
  EXPECT_EQ(errorAt("[abc"), 5u);
  EXPECT_EQ(errorAt("[!"), 3u);
  // The "]" after "-" ends the range, not the set.
  EXPECT_EQ(errorAt("[a-]"), 5u);
  EXPECT_EQ(errorAt("[a-]]"), 0u);
  EXPECT_EQ(errorAt("]"), 0u);
  EXPECT_EQ(errorAt("[]]"), 2u);
}

TEST(MaskError, ThirtyStarsCompileThirtyOneDoNot) {
  EXPECT_EQ(errorAt(starLetters(30)), 0u);
  // The 31st "*" is found at the letter that would carry it.
  EXPECT_EQ(errorAt(starLetters(31)), 62u);
  // A "*" before the end of the name counts too, found at the end.
  EXPECT_EQ(errorAt(starLetters(30) + "*"), 62u);
  EXPECT_EQ(errorAt(starLetters(29) + "*[xy]"), 0u);
  EXPECT_EQ(errorAt(starLetters(30) + "*[xy]"), 62u);
  // Runs of "*" count once, and a dropped "?" appends nothing.
  EXPECT_EQ(errorAt("***" + starLetters(29) + "*?*"), 0u);
}

TEST(MaskError, ThirtyStarsStillMatch) {
  std::string name;
  for (int i = 0; i < 30; ++i) name += std::string("-") + static_cast<char>('A' + i % 26);
  EXPECT_TRUE(TMask(starLetters(30)).matches(name));
  EXPECT_FALSE(TMask(starLetters(30)).matches(name.substr(0, name.size() - 1)));
}

// Hostile masks must neither crash nor take long: every test below would take hours
// with a matcher that retries every "*" at every position.
TEST(MaskError, HostileMasksFinishQuickly) {
  const auto start = std::chrono::steady_clock::now();
  std::string manyStars;
  for (int i = 0; i < 30; ++i) manyStars += "*a";
  manyStars += "*b";
  EXPECT_EQ(errorAt(manyStars), 62u);
  manyStars.resize(manyStars.size() - 4);  // 29 "*a", then "*b"
  manyStars += "*b";
  const std::string as(20000, 'a');
  EXPECT_FALSE(TMask(manyStars).matches(as));
  EXPECT_TRUE(TMask(manyStars).matches(as + "b"));

  EXPECT_FALSE(TMask("*" + std::string(1000, 'a') + "b*").matches(std::string(20000, 'a')));
  EXPECT_EQ(errorAt(std::string(1000000, '*')), 0u);
  EXPECT_EQ(errorAt(std::string(100000, '[')), 100001u);
  EXPECT_EQ(errorAt("[" + std::string(100000, '-')), 2u);
  EXPECT_EQ(errorAt("[a" + std::string(100000, '-')), 100003u);  // "--" pairs are ranges
  EXPECT_EQ(errorAt("[a" + std::string(99999, '-')), 100001u);
  EXPECT_EQ(errorAt(std::string(100000, '?') + "["), 100002u);
  EXPECT_TRUE(TMask(std::string(100000, '?')).matches(std::string(100000, '\xff')));

  // A set that accepts no byte at all, after a "*" and before the end.
  const std::string nothing("*[!\0-\xff]", 7);
  EXPECT_FALSE(TMask(nothing).matches("abc"));
  EXPECT_FALSE(TMask(nothing + "*").matches(std::string(1, '\0')));
  EXPECT_FALSE(TMask("a" + nothing + "*b").matches("axb"));

  std::string everyByte;
  for (int b = 1; b < 256; ++b)
    if (b != '[' && b != '*' && b != '?') everyByte += static_cast<char>(b);
  EXPECT_TRUE(TMask(everyByte).matches(everyByte));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
}  // namespace kolvex
