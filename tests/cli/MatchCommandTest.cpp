// kolvex-cli match: one line per name, the list and single-mask forms, errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliRun.h"

namespace kolvex::cli {
namespace {

test::CliRun match(std::vector<std::string> args) {
  args.insert(args.begin(), "match");
  return test::runCli(std::move(args));
}

TEST(MatchCommand, OneLinePerNameInOrder) {
  const test::CliRun r = match({"*.txt;*.doc", "a.txt", "readme", "B.DOC", ""});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, "yes\ta.txt\nno\treadme\nyes\tB.DOC\nno\t\n");
  EXPECT_EQ(r.err, "");
}

TEST(MatchCommand, SingleTakesTheWholeTextAsOneMask) {
  EXPECT_EQ(match({"--single", "*.b;*.c", "x.b", "x.b;y.c"}).out, "no\tx.b\nyes\tx.b;y.c\n");
  EXPECT_EQ(match({"*.b;*.c", "x.b", "x.b;y.c"}).out, "yes\tx.b\nyes\tx.b;y.c\n");
}

TEST(MatchCommand, InvalidMaskExitsTwoWithItsMessageAndNoOutput) {
  const test::CliRun r = match({"*.txt;abc[", "a.txt", "a.doc"});
  EXPECT_EQ(r.status, kExitUsage);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("'abc[' is an invalid mask at (5)"), std::string::npos) << r.err;
  EXPECT_EQ(match({"--single", "[]", "x"}).status, kExitUsage);
}

TEST(MatchCommand, InvalidMaskNotReachedIsNotReported) {
  const test::CliRun r = match({"*.txt;abc[", "a.txt"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, "yes\ta.txt\n");
}

TEST(MatchCommand, DoubleDashLetsMasksAndNamesStartWithADash) {
  const test::CliRun r = match({"--", "-*", "-x", "--single", "y"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, "yes\t-x\nyes\t--single\nno\ty\n");
}

TEST(MatchCommand, WrongCommandLineExitsTwo) {
  EXPECT_EQ(match({}).status, kExitUsage);
  EXPECT_EQ(match({"*"}).status, kExitUsage);
  EXPECT_EQ(match({"--bogus", "*", "a"}).status, kExitUsage);
}

}  // namespace
}  // namespace kolvex::cli
