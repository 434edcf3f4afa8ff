// Description texts: Rich Text Format reduced to its text, encodings, line ends; and the
// small conversions of the scan (attributes, time stamps, date text).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <cmath>

#include "core/catalog/DateTimeText.h"
#include "core/catalog/DescriptionText.h"
#include "core/catalog/FileAttributes.h"
#include "core/catalog/LocalDayCount.h"
#include "core/catalog/RtfText.h"
#include "core/persist/TSCFileObjectInfo.h"

namespace kolvex {
namespace {

TEST(RtfText, KeepsTheBodyTextOnly) {
  const char* doc =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Symbol;}}"
      "{\\colortbl ;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}"
      "{\\info{\\title Secret title}{\\author Somebody}}"
      "{\\*\\generator Writer 5.0;}\\viewkind4\\uc1\\pard\\f0\\fs20 "
      "First \\b bold\\b0  line\\par\n"
      "Second\\tab line with \\{braces\\} and a \\\\ backslash\\par "
      "{\\pict\\wmetafile8 0123456789abcdef}Third}";
  EXPECT_EQ(RtfToText(doc),
            "First bold line\nSecond\tline with {braces} and a \\ backslash\nThird");
}

TEST(RtfText, EscapesAndUnicode) {
  EXPECT_EQ(RtfToText("{\\rtf1 Caf\\'e9 \\'80 \\'93q\\'94}"),
            "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D");
  // \uN with its fallback character skipped; \uc changes how many fallbacks follow.
  EXPECT_EQ(RtfToText("{\\rtf1 \\u8364?\\u-3913?{\\uc2\\u20013\\'3f\\'3f}x}"),
            "\xE2\x82\xAC\xEF\x82\xB7\xE4\xB8\xAD"
            "x");
  // A surrogate pair in two escapes is one character.
  EXPECT_EQ(RtfToText("{\\rtf1 \\u-10179?\\u-8704?}"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(RtfToText("{\\rtf1 a\\~b\\_c\\-d\\emdash e}"),
            "a\xC2\xA0"
            "b-cd\xE2\x80\x94"
            "e");
}

TEST(RtfText, DamagedInputStillGivesItsText) {
  EXPECT_EQ(RtfToText("{\\rtf1 open {group never closed"), "open group never closed");
  EXPECT_EQ(RtfToText("{\\rtf1 too many}}} closings}"), "too many closings");
  EXPECT_EQ(RtfToText("{\\rtf1 cut \\'4"), "cut ");
  EXPECT_EQ(RtfToText("{\\rtf1 cut \\"), "cut ");
  EXPECT_EQ(RtfToText("{\\rtf1 \\u99999999999999999999? big}"), "\xEF\xBF\xBD big");
  EXPECT_EQ(RtfToText(std::string(100000, '{') + "deep"), "deep");
  EXPECT_TRUE(IsRtf("\xEF\xBB\xBF  {\\rtf1 x}"));
  EXPECT_FALSE(IsRtf("{\\rt"));
}

TEST(DescriptionText, EncodingsAndLineEnds) {
  using L = std::vector<std::string>;
  EXPECT_EQ(DescriptionLines("one\r\ntwo\nthree\rfour"), (L{"one", "two", "three", "four"}));
  EXPECT_EQ(DescriptionLines("ends with break\n"), (L{"ends with break"}));
  EXPECT_EQ(DescriptionLines("\n\nafter blanks"), (L{"", "", "after blanks"}));
  EXPECT_EQ(DescriptionLines("\xEF\xBB\xBF"
                             "caf\xC3\xA9"),
            (L{"caf\xC3\xA9"}));
  EXPECT_EQ(DescriptionLines("caf\xE9 \x80"), (L{"caf\xC3\xA9 \xE2\x82\xAC"}));  // Windows-1252
  EXPECT_EQ(DescriptionLines(std::string("\xFF\xFEh\0i\0\n\0", 8)), (L{"hi"}));
  EXPECT_EQ(DescriptionLines(std::string("\xFE\xFF\0h\0i", 6)), (L{"hi"}));
  EXPECT_EQ(DescriptionLines("{\\rtf1 a\\par b}"), (L{"a", "b"}));
  EXPECT_TRUE(DescriptionLines("").empty());
}

TEST(FileAttributes, FromModeAndName) {
  EXPECT_EQ(AttributesOf(S_IFDIR | 0755, "docs"), faDirectory);
  EXPECT_EQ(AttributesOf(S_IFREG | 0644, "a.txt"), faArchive);
  EXPECT_EQ(AttributesOf(S_IFREG | 0444, ".profile"), faArchive | faHidden | faReadOnly);
  EXPECT_EQ(AttributesOf(S_IFLNK | 0777, ".link"), faReparsePoint | faHidden);
  EXPECT_EQ(AttributesOf(S_IFIFO | 0644, "fifo"), faSysFile);
  EXPECT_EQ(AttributesOf(S_IFCHR | 0400, "tty"), faSysFile | faReadOnly);
}

TEST(LocalDayCount, DayCountsOfLocalSeconds) {
  EXPECT_DOUBLE_EQ(LocalDayCount::fromLocalSeconds(0), 25569.0);
  EXPECT_DOUBLE_EQ(LocalDayCount::fromLocalSeconds(6 * 3600), 25569.25);
  // 29 December 1899, 06:00: the whole part counts back, the time of day does not.
  EXPECT_DOUBLE_EQ(LocalDayCount::fromLocalSeconds(-25570LL * 86400 + 6 * 3600), -1.25);
  EXPECT_DOUBLE_EQ(LocalDayCount::fromLocalSeconds(-25569LL * 86400), 0.0);
}

TEST(LocalDayCount, FileTimesAreLocalAndOnTheTwoSecondGrid) {
  LocalDayCount convert;
  for (std::time_t t : {std::time_t{1623752431}, std::time_t{1700000000}, std::time_t{0},
                        std::time_t{-86401}, std::time_t{4102444799}}) {
    std::int64_t local = t + localOffsetAt(t);
    std::int64_t even = local - (((local % 2) + 2) % 2);
    EXPECT_DOUBLE_EQ(convert(t), LocalDayCount::fromLocalSeconds(even)) << t;
  }
}

TEST(DateTimeText, CalendarFieldsRoundToTheSecondAndRefuseNoDates) {
  EXPECT_EQ(IsoDateTimeText(36526.5), "2000-01-01T12:00:00");  // 1 January 2000, noon
  EXPECT_EQ(IsoDateTimeText(-1.25), "1899-12-29T06:00:00");
  EXPECT_FALSE(CalendarOfDayCount(std::nan("")));
  EXPECT_FALSE(CalendarOfDayCount(1e300));
  EXPECT_EQ(IsoDateTimeText(std::nan("")), "");
  auto t = CalendarOfDayCount(45000.99999999);  // rounds up into the next day
  ASSERT_TRUE(t);
  EXPECT_EQ(t->tm_hour, 0);
  EXPECT_EQ(t->tm_mday, 16);  // 45001 is 16 March 2023
  EXPECT_EQ(t->tm_wday, 4);   // a Thursday
}

}  // namespace
}  // namespace kolvex
