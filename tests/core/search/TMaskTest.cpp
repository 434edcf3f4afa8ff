// The mask language: wildcards, the case rule, sets and ranges.
#include <gtest/gtest.h>

#include <string>

#include "core/search/TMask.h"

namespace kolvex {
namespace {

bool hit(std::string_view mask, std::string_view name) { return NameMatchesMask(name, mask); }

TEST(TMask, StarDotStarNeedsADot) {
  EXPECT_TRUE(hit("*.*", "a.b"));
  EXPECT_TRUE(hit("*.*", ".profile"));
  EXPECT_TRUE(hit("*.*", "a."));
  EXPECT_FALSE(hit("*.*", "readme"));
  EXPECT_FALSE(hit("*.*", "X:\\"));
}

TEST(TMask, StarEmptyMaskAndSeparators) {
  EXPECT_TRUE(hit("*", ""));
  EXPECT_TRUE(hit("*", "X:\\"));
  EXPECT_TRUE(hit("X*", "X:\\"));
  EXPECT_TRUE(hit("", ""));
  EXPECT_FALSE(hit("", "a"));
  EXPECT_TRUE(hit("x:\\*\\*.txt", "X:\\docs\\sub\\a.TXT"));  // "*" runs across "\"
}

TEST(TMask, QuestionMarkIsExactlyOneByte) {
  EXPECT_TRUE(hit("a?", "ab"));
  EXPECT_FALSE(hit("a?", "a"));
  EXPECT_FALSE(hit("a?", "abc"));
  EXPECT_TRUE(hit("??", "\xc3\xa9"));  // one UTF-8 character is two bytes
  EXPECT_FALSE(hit("?", "\xc3\xa9"));
}

TEST(TMask, QuestionMarkAfterStarIsDropped) {
  EXPECT_TRUE(hit("*?", ""));
  EXPECT_TRUE(hit("*?x", "x"));
  // The "*" stays pending until something else follows, so every "?" right after it goes;
  // a "?" before it still needs its byte.
  EXPECT_TRUE(hit("*???", ""));
  EXPECT_TRUE(hit("*?a?", "ab"));
  EXPECT_FALSE(hit("*?a?", "a"));
  EXPECT_FALSE(hit("?*?", ""));
}

TEST(TMask, CaseIsIgnoredForAToZOnly) {
  EXPECT_TRUE(hit("README.TXT", "readme.txt"));
  EXPECT_TRUE(hit("readme.txt", "ReadMe.Txt"));
  EXPECT_FALSE(hit("\xc3\xa9", "\xc3\x89"));  // é and É differ: not a to z
  // Bytes next to the letters in the code table have no case partner.
  EXPECT_FALSE(hit("@", "`"));
  EXPECT_FALSE(hit("]", "}"));
}

TEST(TMask, SetsAndRanges) {
  EXPECT_TRUE(hit("[a-c]x", "Bx"));
  EXPECT_FALSE(hit("[a-c]x", "dx"));
  EXPECT_TRUE(hit("[!a]", "b"));
  EXPECT_FALSE(hit("[!a]", "a"));
  EXPECT_FALSE(hit("[!a]", "A"));
  EXPECT_FALSE(hit("[!a]", ""));
  EXPECT_TRUE(hit("[a!]", "!"));  // "!" negates only right after "["
  EXPECT_TRUE(hit("[[]", "["));
}

TEST(TMask, RangeStartsAtTheLastSingleMember) {
  for (char c : std::string("abcdeABCDE")) EXPECT_TRUE(hit("[a-c-e]", std::string(1, c))) << c;
  EXPECT_FALSE(hit("[a-c-e]", "-"));
  EXPECT_FALSE(hit("[a-c-e]", "f"));
  // A range that runs backwards adds nothing, its start member stays.
  EXPECT_TRUE(hit("[z-a]", "z"));
  EXPECT_FALSE(hit("[z-a]", "m"));
  EXPECT_TRUE(hit("[A-z]", "m"));  // the end is upper-cased: A to Z
  EXPECT_FALSE(hit("[A-z]", "_"));
  EXPECT_TRUE(hit("[+--]", ","));  // "-" as a range's end
}

TEST(TMask, SetMembersAreUpperCasedBeforeTheTest) {
  // The members of "[`-~]" are the bytes 0x60 to 0x7e; a name's letter is upper-cased
  // first, so "a" is looked up as "A", which is not among them.
  EXPECT_FALSE(hit("[`-~]", "a"));
  EXPECT_TRUE(hit("[`-~]", "{"));
}

TEST(TMask, SegmentsBetweenStarsAreRetried) {
  EXPECT_TRUE(hit("*.txt", "a.b.txt"));
  EXPECT_TRUE(hit("a*b?c*[0-9]", "abbbc9"));
  EXPECT_FALSE(hit("a*b?c*[0-9]", "abc9"));
  EXPECT_TRUE(hit("*abc*abd", "abcabcabd"));
  EXPECT_FALSE(hit("*aa*aa", "aaa"));
}

TEST(TMask, NameWithZeroByteIsMatchedByteForByte) {
  const std::string name("a\0b", 3);
  EXPECT_TRUE(hit("a?b", name));
  EXPECT_FALSE(hit("a", name));
}

}  // namespace
}  // namespace kolvex
