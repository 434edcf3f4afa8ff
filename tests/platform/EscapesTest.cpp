#include <gtest/gtest.h>

#include "platform/Escapes.h"

namespace kolvex {
namespace {

TEST(EscapesTest, OctalEscapesOfMountInfoBecomeBytes) {
  EXPECT_EQ(decodeOctalEscapes("/media/u/MY\\040STICK"), "/media/u/MY STICK");
  EXPECT_EQ(decodeOctalEscapes("a\\011b\\012c\\134d"), "a\tb\nc\\d");
  EXPECT_EQ(decodeOctalEscapes("\\303\\251t\\303\\251"), "\xc3\xa9t\xc3\xa9");
  EXPECT_EQ(decodeOctalEscapes("\\040\\040"), "  ");
}

TEST(EscapesTest, IncompleteOrNonOctalEscapesStay) {
  EXPECT_EQ(decodeOctalEscapes("end\\04"), "end\\04");
  EXPECT_EQ(decodeOctalEscapes("\\"), "\\");
  EXPECT_EQ(decodeOctalEscapes("\\089x"), "\\089x");
  EXPECT_EQ(decodeOctalEscapes("\\400"), "\\400");  // more than one byte can hold
  EXPECT_EQ(decodeOctalEscapes("plain"), "plain");
}

TEST(EscapesTest, HexEscapesOfUdevLinkNamesBecomeBytes) {
  EXPECT_EQ(decodeHexEscapes("Back\\x2fup"), "Back/up");
  EXPECT_EQ(decodeHexEscapes("MY\\x20STICK"), "MY STICK");
  EXPECT_EQ(decodeHexEscapes("\\x5C\\x5c"), "\\\\");
  EXPECT_EQ(decodeHexEscapes("\\xc3\\xa9"), "\xc3\xa9");
}

TEST(EscapesTest, IncompleteOrNonHexEscapesStay) {
  EXPECT_EQ(decodeHexEscapes("a\\x2"), "a\\x2");
  EXPECT_EQ(decodeHexEscapes("\\xzz"), "\\xzz");
  EXPECT_EQ(decodeHexEscapes("\\040"), "\\040");
}

}  // namespace
}  // namespace kolvex
