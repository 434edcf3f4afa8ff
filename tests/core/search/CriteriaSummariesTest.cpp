// The criteria panel's controls turned into the criteria record and the summary texts.
#include <gtest/gtest.h>

#include <string>

#include "core/search/CriteriaSummaries.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

class CriteriaTest : public ::testing::Test {
 protected:
  CriteriaTest() {
    test::writeFile(tmp.file("Test.ini"),
                    "[ResourceStrings]\nA008=(none)\nA034=Archives\nA035=Folders\nA036=Files\n"
                    "A037=and\nA038=Any File\nA039=System\nA040=Read Only\nA041=Hidden\n"
                    "A042=Archive\nA043=to\nA044=No limit\n");
  }
  std::string searchFor(bool c, bool d, bool f) {
    panel.searchForArchive = c;
    panel.searchForDirs = d;
    panel.searchForFiles = f;
    return SearchForChange(panel, language, search);
  }

  test::TempDir tmp;
  LanguageFile language{tmp.path(), "Test"};
  CriteriaPanel panel;
  TUSearch search;
  ShortDateText date = [](double d) { return "day " + std::to_string(static_cast<int>(d)); };
};

TEST_F(CriteriaTest, AfterCreation) {
  TUSearch filled;
  filled.SearchFor = 0;
  filled.Attributes = 0;
  filled.MinSize = filled.MaxSize = 0;
  CriteriaSummaries s;
  RefreshSummaries(panel, language, date, filled, s);
  EXPECT_EQ(filled, TUSearch{});  // all kinds, any file, 1 KB to 100 KB, both ranges off
  EXPECT_EQ(s.searchFor, "Archives, Folders and Files");
  EXPECT_EQ(s.date, "No limit");
  EXPECT_EQ(s.size, "No limit");
  EXPECT_EQ(s.attributes, "Any File");
}

TEST_F(CriteriaTest, SearchForSummaries) {
  EXPECT_EQ(searchFor(false, true, true), "Folders and Files");
  EXPECT_EQ(search.SearchFor, kSearchDirectories | kSearchFiles);
  EXPECT_EQ(searchFor(true, false, true), "Archives and Files");
  EXPECT_EQ(searchFor(true, true, false), "Archives and Folders");
  EXPECT_EQ(searchFor(false, true, false), "Folders");
  EXPECT_EQ(search.SearchFor, kSearchDirectories);
  EXPECT_EQ(searchFor(false, false, false), "(none)");
  EXPECT_EQ(search.SearchFor, 0);
}

TEST_F(CriteriaTest, AttributeSummaries) {
  panel.anyFile = false;
  panel.hiddenFile = panel.systemFile = true;
  EXPECT_EQ(FileAttrChange(panel, language, search), " Hidden, System");  // leading space stays
  EXPECT_EQ(search.Attributes, kAttrHidden | kAttrSystem);

  panel.hiddenFile = panel.systemFile = false;
  EXPECT_EQ(FileAttrChange(panel, language, search), "(none)");
  EXPECT_EQ(search.Attributes, 0);

  // Any File leaves the other boxes as they are; it only makes the test pass.
  panel.anyFile = panel.readOnlyFile = panel.archiveFile = true;
  EXPECT_EQ(FileAttrChange(panel, language, search), "Any File, Read Only, Archive");
  EXPECT_EQ(search.Attributes, kAttrAnyFile | kAttrReadOnly | kAttrArchive);
}

TEST_F(CriteriaTest, DateRange) {
  panel.dateFrom = 40000.75;
  panel.dateTo = 40010.5;
  EXPECT_EQ(DateChange(panel, language, date, search), "No limit");
  EXPECT_FALSE(search.DateEnabled);
  EXPECT_DOUBLE_EQ(search.DateFrom, 40000.75);  // taken even while switched off

  panel.enableDate = true;
  EXPECT_EQ(DateChange(panel, language, date, search), "day 40000 to day 40010");
  EXPECT_TRUE(search.DateEnabled);
  EXPECT_DOUBLE_EQ(search.DateTo, 40010.5);  // the full date-time value
}

TEST_F(CriteriaTest, SizeRangeWithUnits) {
  panel.enableSize = true;
  panel.betweenText = "2";
  panel.betweenUnit = kUnitMB;
  panel.andText = "3";
  panel.andUnit = kUnitGB;
  EXPECT_EQ(SizeChange(panel, language, search), "2MB to 3GB");
  EXPECT_TRUE(search.SizeEnabled);
  EXPECT_EQ(search.MinSize, 2097152);
  EXPECT_EQ(search.MaxSize, 3221225472);

  panel.betweenText = " +7 ";
  panel.betweenUnit = kUnitB;
  panel.andText = "-5";
  panel.andUnit = kUnitKB;
  EXPECT_EQ(SizeChange(panel, language, search), "7B to -5KB");
  EXPECT_EQ(search.MinSize, 7);
  EXPECT_EQ(search.MaxSize, -5120);

  panel.enableSize = false;
  EXPECT_EQ(SizeChange(panel, language, search), "No limit");
  EXPECT_FALSE(search.SizeEnabled);
}

TEST_F(CriteriaTest, UnusableSizeTextsChangeNothing) {
  panel.enableSize = true;
  TUSearch before = search;
  for (const char* bad : {"", "1.5", "abc", "1e3", "+-1", "-1122", "99999999999999999999"}) {
    panel.betweenText = bad;
    EXPECT_FALSE(SizeChange(panel, language, search)) << bad;
    EXPECT_EQ(search, before) << bad;  // the enabled flag included
  }
  panel.betweenText = "1";
  panel.andText = "-1122";
  EXPECT_FALSE(SizeChange(panel, language, search));
  // A product beyond 64 bits would wrap around.
  panel.andText = "8589934592";
  panel.andUnit = kUnitGB;
  EXPECT_FALSE(SizeChange(panel, language, search));
  panel.andText = "8589934591";
  EXPECT_TRUE(SizeChange(panel, language, search));
  EXPECT_EQ(search.MaxSize, 8589934591LL * 1073741824LL);

  CriteriaSummaries s;
  s.size = "kept";
  panel.andText = "x";
  RefreshSummaries(panel, language, date, search, s);
  EXPECT_EQ(s.size, "kept");
}

TEST_F(CriteriaTest, Categories) {
  TSCOptions options;
  options.SearchTypeCaptions->lines = {"Text", "Pictures", "Orphan"};
  options.SearchTypeMasks->lines = {"*.txt", "*.jpg;*.png"};
  panel.mask = "mine";
  panel.category = 0;
  LoadCategories(panel, options);
  EXPECT_EQ(panel.category, -1);
  EXPECT_EQ(panel.mask, "mine");
  // A caption without a mask line is dropped, so the lists stay parallel.
  EXPECT_EQ(panel.categoryCaptions, (std::vector<std::string>{"Text", "Pictures"}));

  CategoriesChange(panel, 1);
  EXPECT_EQ(panel.category, 1);
  EXPECT_EQ(panel.mask, "*.jpg;*.png");
  CategoriesChange(panel, 5);
  EXPECT_EQ(panel.mask, "*.jpg;*.png");
  MaskKeyPress(panel);
  EXPECT_EQ(panel.category, -1);
  EXPECT_EQ(panel.mask, "*.jpg;*.png");
}

}  // namespace
}  // namespace kolvex
