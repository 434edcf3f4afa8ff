// The ";" list form and its compiled, kept variant.
#include <gtest/gtest.h>

#include "core/search/TMaskList.h"

namespace kolvex {
namespace {

TEST(TMaskList, MasksAreTriedFromLeftToRight) {
  EXPECT_TRUE(MatchesMaskList("a.doc", "*.txt;*.doc"));
  EXPECT_TRUE(MatchesMaskList("a.txt", "*.txt;*.doc"));
  EXPECT_FALSE(MatchesMaskList("a.jpg", "*.txt;*.doc"));
  EXPECT_TRUE(MatchesMaskList("x", "a;b;c;x"));
}

TEST(TMaskList, EmptyPieces) {
  EXPECT_TRUE(MatchesMaskList("a.txt", ";*.txt"));
  EXPECT_FALSE(MatchesMaskList("a.doc", ";*.txt"));
  EXPECT_TRUE(MatchesMaskList("a.txt", "*.txt;"));
  EXPECT_FALSE(MatchesMaskList("a.doc", "*.txt;"));
  EXPECT_TRUE(MatchesMaskList("", "*.txt;"));  // the empty last mask takes the empty name
  EXPECT_TRUE(MatchesMaskList("", ""));
  EXPECT_FALSE(MatchesMaskList("a", ""));
}

TEST(TMaskList, EverythingAfterAnEmptyPieceIsOneMask) {
  EXPECT_TRUE(MatchesMaskList("x.a", "*.a;;*.b;*.c"));
  EXPECT_FALSE(MatchesMaskList("x.b", "*.a;;*.b;*.c"));
  EXPECT_FALSE(MatchesMaskList("x.c", "*.a;;*.b;*.c"));
  EXPECT_TRUE(MatchesMaskList("x.b;y.c", "*.a;;*.b;*.c"));
  EXPECT_TRUE(MatchesMaskList(";", ";;"));
  EXPECT_FALSE(MatchesMaskList("", ";;"));
}

TEST(TMaskList, SpacesBelongToTheMasks) {
  EXPECT_FALSE(MatchesMaskList("a.doc", "*.txt; *.doc"));
  EXPECT_TRUE(MatchesMaskList(" a.doc", "*.txt; *.doc"));
}

TEST(TMaskList, MaskIsCompiledOnlyWhenReached) {
  EXPECT_TRUE(MatchesMaskList("a.txt", "*.txt;[;*.doc"));
  try {
    MatchesMaskList("a.doc", "*.txt;[;*.doc");
    FAIL() << "no error";
  } catch (const EMaskException& e) {
    EXPECT_STREQ(e.what(), "'[' is an invalid mask at (2)");
  }
}

TEST(TMaskList, KeptListReportsAnInvalidMaskAtEveryTestReachingIt) {
  TMaskList list("*.txt;a[]");
  EXPECT_TRUE(list.matches("b.txt"));
  EXPECT_THROW(list.matches("b.doc"), EMaskException);
  EXPECT_TRUE(list.matches("c.TXT"));
  EXPECT_THROW(list.matches("c.doc"), EMaskException);
}

}  // namespace
}  // namespace kolvex
