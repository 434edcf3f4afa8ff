#include <gtest/gtest.h>

#include <vector>

#include "core/app/CheckedFormat.h"

namespace kolvex {
namespace {

std::optional<std::string> fill(std::string_view format, std::vector<FormatArg> args) {
  return formatChecked(format, args);
}

TEST(CheckedFormat, FillsTextsNumbersAndPerCentSigns) {
  EXPECT_EQ(fill("Searching %s (%d of %d)...", {"Disc 1", 2, 5}), "Searching Disc 1 (2 of 5)...");
  EXPECT_EQ(fill("%d%% done, %D left", {50, -7}), "50% done, -7 left");
  EXPECT_EQ(fill("Size: %S", {"3.5 MB"}), "Size: 3.5 MB");
  EXPECT_EQ(fill("%d", {std::int64_t{-9223372036854775807LL - 1}}), "-9223372036854775808");
  // A value is inserted as it is; its own placeholders are not read again.
  EXPECT_EQ(fill("Path: %s", {"/media/%d/%s%n"}), "Path: /media/%d/%s%n");
}

TEST(CheckedFormat, ATranslationMayLeaveValuesOut) {
  EXPECT_EQ(fill("Searching...", {"Disc", 1, 2}), "Searching...");
  EXPECT_EQ(fill("Searching %s", {"Disc", 1, 2}), "Searching Disc");
}

TEST(CheckedFormat, TextsThatDoNotFitAreNeverFilled) {
  EXPECT_FALSE(fill("%s and %s", {"one"}));            // more placeholders than values
  EXPECT_FALSE(fill("%d files", {"many"}));            // number wanted, text given
  EXPECT_FALSE(fill("%s files", {3}));                 // text wanted, number given
  EXPECT_FALSE(fill("%n %n %n", {"x"}));               // what a printf would write through
  EXPECT_FALSE(fill("%x %p %5d %.3s %-s %0:s", {1}));  // every other directive
  EXPECT_FALSE(fill("100%", {1}));                     // a lone '%' at the end
  EXPECT_FALSE(fill("%s", {}));
  EXPECT_NE(formatProblem("%d and %d", std::vector<ArgKind>{ArgKind::Integer}), "");
  EXPECT_EQ(formatProblem("%d and %s", std::vector<ArgKind>{ArgKind::Integer, ArgKind::Text}), "");
}

TEST(CheckedFormat, ATextThatDoesNotFitIsShownAsItStandsWithItsValues) {
  std::vector<FormatArg> args{"Disc 1", 2, 5};
  EXPECT_EQ(formatOrShow("Suche %x (%d/%d)", args), "Suche %x (%d/%d) [Disc 1, 2, 5]");
  EXPECT_EQ(formatOrShow("%s %s %s %s %s %s %s %s", args),
            "%s %s %s %s %s %s %s %s [Disc 1, 2, 5]");
  EXPECT_EQ(formatOrShow("Found %d", std::vector<FormatArg>{7}), "Found 7");
  EXPECT_EQ(formatOrShow("100%", std::vector<FormatArg>{}), "100%");
}

}  // namespace
}  // namespace kolvex
