// Search criteria written as text, read by the criteria panel's rules.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "core/persist/DayCount.h"
#include "core/search/CriteriaText.h"

namespace kolvex {
namespace {

// 1 March 2024, local day count (days since 30 December 1899).
constexpr double kFirstOfMarch2024 = 45352;

TEST(CriteriaTextTest, KindsAndAttributesAreListsOfKnownWords) {
  CriteriaPanel panel;
  EXPECT_EQ(ApplyKindsText("dirs,files", panel), "");
  EXPECT_FALSE(panel.searchForArchive);
  EXPECT_TRUE(panel.searchForDirs && panel.searchForFiles);
  EXPECT_NE(ApplyKindsText("dirs,folders", panel).find("'folders'"), std::string::npos);

  EXPECT_EQ(ApplyAttributesText("hidden,readonly", panel), "");
  EXPECT_FALSE(panel.anyFile || panel.systemFile || panel.archiveFile);
  EXPECT_TRUE(panel.hiddenFile && panel.readOnlyFile);
  // An empty word is not a word: "hidden," is a mistake, not "hidden".
  EXPECT_NE(ApplyAttributesText("hidden,", panel), "");
}

TEST(CriteriaTextTest, DatesAreCheckedAgainstTheCalendar) {
  EXPECT_EQ(DayCountOfDateText("2024-03-01", false), kFirstOfMarch2024);
  // A date alone as an upper bound is its last second.
  EXPECT_EQ(DayCountOfDateText("2024-03-01", true),
            DayCountOfLocalSeconds((45352 - kDaysTo1970) * kSecondsPerDay + 86399));
  EXPECT_EQ(DayCountOfDateText("2024-03-01T06:00:00", true), kFirstOfMarch2024 + 0.25);
  for (const char* wrong : {"2023-02-29", "2024-02-30", "2024-13-01", "2024-03-01T24:00:00",
                            "2024-3-1", "2024-03-01 06:00:00", "0000-01-01", "2024-03-0x"})
    EXPECT_FALSE(DayCountOfDateText(wrong, false)) << wrong;
  EXPECT_TRUE(DayCountOfDateText("2024-02-29", false));
}

TEST(CriteriaTextTest, DateRangesMayBeOpenOnEitherSide) {
  CriteriaPanel panel;
  EXPECT_EQ(ApplyDateText("2024-03-01..", panel), "");
  EXPECT_TRUE(panel.enableDate);
  EXPECT_EQ(panel.dateFrom, kFirstOfMarch2024);
  EXPECT_EQ(panel.dateTo, std::numeric_limits<double>::max());
  EXPECT_EQ(ApplyDateText("..2024-03-01", panel), "");
  EXPECT_EQ(panel.dateFrom, std::numeric_limits<double>::lowest());
  EXPECT_NE(ApplyDateText("2024-03-01", panel).find("FROM..TO"), std::string::npos);
  EXPECT_NE(ApplyDateText("2024-03-01..2024-03-01..", panel), "");
  EXPECT_NE(ApplyDateText("2024-02-30..", panel).find("'2024-02-30'"), std::string::npos);
}

TEST(CriteriaTextTest, SizesTakeUnitsAndStayWithin64Bits) {
  LanguageFile none("", "");
  CriteriaPanel panel;
  TUSearch search;
  EXPECT_EQ(ApplySizeText("1kb..2MB", panel, none, search), "");
  EXPECT_TRUE(search.SizeEnabled);
  EXPECT_EQ(search.MinSize, 1024);
  EXPECT_EQ(search.MaxSize, 2 * 1024 * 1024);
  EXPECT_EQ(ApplySizeText("..10", panel, none, search), "");
  EXPECT_EQ(search.MinSize, std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(search.MaxSize, 10);
  for (const char* wrong : {"1TB..2", "10", "9223372036854775807KB..", "x..1", "1..2..3"}) {
    TUSearch before = search;
    EXPECT_NE(ApplySizeText(wrong, panel, none, search), "") << wrong;
    EXPECT_EQ(search.MaxSize, before.MaxSize) << wrong;
  }
}

}  // namespace
}  // namespace kolvex
