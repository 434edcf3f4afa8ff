// The search types as the options view saves them: what the search cannot use is left out
// and named, and an invalid mask is told in the program's language.
#include <gtest/gtest.h>

#include <string>

#include "core/search/MaskErrorText.h"
#include "core/search/SearchTypeLines.h"
#include "support/LanguageFiles.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

using Lines = std::vector<std::string>;

std::string languagesDir() { return test::languageFilesDir(); }

TEST(SearchTypeLines, KeepsWhatTheSearchCanUseAndNamesTheRest) {
  LanguageFile english(languagesDir(), "English");
  const auto sorted = sortSearchTypeLines(
      {"Pictures|*.jpg;*.png", "Broken|[a-", "|*.bin", "  |*.iso", "", "no bar", "Two|a|b",
       "Any|*.*;;a;b", "Late|*.txt;x["},
      english);
  EXPECT_EQ(sorted.captions, (Lines{"Pictures", "Two", "Any"}));
  EXPECT_EQ(sorted.masks, (Lines{"*.jpg;*.png", "a|b", "*.*;;a;b"}));
  EXPECT_EQ(sorted.withoutBar, Lines{"no bar"});
  EXPECT_EQ(sorted.withoutName, (Lines{"|*.bin", "  |*.iso"}));
  // Every mask of a list is checked, not only the first a name would reach.
  EXPECT_EQ(sorted.badMask, (Lines{"Broken|[a-\n'[a-' is an invalid mask at (3)",
                                   "Late|*.txt;x[\n'x[' is an invalid mask at (3)"}));
  EXPECT_TRUE(sorted.leftSomethingOut());

  const std::string text = searchTypesLeftOutText(sorted, english);
  EXPECT_NE(text.find("left out:\n\nno bar\n\n"), std::string::npos) << text;
  EXPECT_NE(text.find("left out:\n\n|*.bin\n  |*.iso"), std::string::npos) << text;
  EXPECT_NE(text.find("left out:\n\nBroken|[a-\n'[a-' is an invalid mask at (3)\n\nLate|"),
            std::string::npos)
      << text;

  const auto clean = sortSearchTypeLines({"Any File (*.*)|*.*", " "}, english);
  EXPECT_FALSE(clean.leftSomethingOut());
  EXPECT_EQ(searchTypesLeftOutText(clean, english), "");
}

TEST(SearchTypeLines, TheMaskFaultIsInTheProgramsLanguage) {
  LanguageFile german(languagesDir(), "German");
  const auto sorted = sortSearchTypeLines({"Kaputt|[a-", "|*.bin"}, german);
  ASSERT_EQ(sorted.badMask.size(), 1u);
  EXPECT_EQ(sorted.badMask[0], "Kaputt|[a-\nDie Maske '[a-' ist ab Stelle 3 ungültig");
  const std::string text = searchTypesLeftOutText(sorted, german);
  EXPECT_EQ(text.find("invalid"), std::string::npos) << text;
  EXPECT_NE(text.find("keinen Namen"), std::string::npos) << text;

  // A mask with "%" in it is user text, not a format; without a language file the
  // program's own text is shown.
  EXPECT_EQ(maskListError(german, "%s%d["), "Die Maske '%s%d[' ist ab Stelle 6 ungültig");
  test::TempDir empty;
  LanguageFile none(empty.path(), "Test");
  EXPECT_EQ(maskListError(none, "%s%d["), "'%s%d[' is an invalid mask at (6)");
  EXPECT_EQ(maskListError(none, "*.txt;*.doc"), std::nullopt);
}

}  // namespace
}  // namespace kolvex
