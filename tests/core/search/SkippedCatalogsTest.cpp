// The message after a run that left catalogs out: one line each, the path where the reason
// does not name it, and a long list cut with a count of the rest.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/search/SkippedCatalogs.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

TEST(SkippedCatalogs, OneLineEachAndALongListIsCut) {
  test::TempDir tmp;
  test::writeFile(tmp.file("Test.ini"), "[ResourceStrings]\nA085=Skipped:#R%s\nA086=%d more\n");
  LanguageFile language(tmp.path(), "Test");
  const SkippedCatalog gone{"Disc 1", "/a/1.qel", "Cannot open file /a/1.qel"};
  const SkippedCatalog damaged{"Disc 2", "/a/2.qel", "damaged"};
  EXPECT_EQ(SkippedCatalogLine(gone), "Disc 1: Cannot open file /a/1.qel");
  EXPECT_EQ(SkippedCatalogLine(damaged), "Disc 2 (/a/2.qel): damaged");
  EXPECT_EQ(SkippedCatalogsText(language, {gone, damaged}),
            "Skipped:\nDisc 1: Cannot open file /a/1.qel\nDisc 2 (/a/2.qel): damaged");

  // Fifteen lines fit; one more and the last line counts the rest.
  std::vector<SkippedCatalog> many(15, damaged);
  std::string text = SkippedCatalogsText(language, many);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 15);
  EXPECT_EQ(text.find("more"), std::string::npos);
  many.resize(500, damaged);
  text = SkippedCatalogsText(language, many);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 15);
  EXPECT_TRUE(text.ends_with("\nDisc 2 (/a/2.qel): damaged\n486 more")) << text;
}

}  // namespace
}  // namespace kolvex
