#include <gtest/gtest.h>

#include "core/app/AppError.h"
#include "core/app/LanguageFile.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

class LanguageFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile(dir.file("English.ini"),
              "[ResourceStrings]\n"
              "A002=Archive created\n"
              "A006=Replace it?#RReally?\n"
              "A016=Ends in a break#R\n"
              "A017=##R#R#\n"
              "A018=\n"
              "A045=Searching %s (%d of %d)\n"
              "A046=%s hits\n"
              "[Interface]\n"
              "C91101=&Cancel\n"
              "H91101=Close without saving\n"
              "[Information]\n"
              "FontName=Sans\n"
              "FontSize= 11 \n");
    writeFile(dir.file("German.ini"), "[ResourceStrings]\nA002=Archiv erstellt\n");
  }
  TempDir dir;
  LanguageFile lang{dir.path(), "English"};
};

TEST_F(LanguageFileTest, MessagesTurnEveryHashRIntoALineBreak) {
  EXPECT_EQ(lang.path(), dir.file("English.ini"));
  EXPECT_EQ(lang.message("A002"), "Archive created");
  EXPECT_EQ(lang.message("a002"), "Archive created");
  EXPECT_EQ(lang.message("A006"), "Replace it?\nReally?");
  EXPECT_EQ(lang.message("A016"), "Ends in a break\n");
  EXPECT_EQ(lang.message("A017"), "#\n\n#");
}

TEST_F(LanguageFileTest, AMissingKeyShowsTheKeyAndAnEmptyValueStaysEmpty) {
  EXPECT_EQ(lang.message("A029"), "A029");
  EXPECT_EQ(lang.message("A018"), "");
  LanguageFile missing(dir.path(), "Klingon");
  EXPECT_EQ(missing.message("A002"), "A002");
  EXPECT_EQ(missing.caption(91101), "");
  EXPECT_EQ(missing.font({"Mono", 7}), (FontChoice{"Mono", 7}));
  LanguageFile unusable(dir.path(), "../English");
  EXPECT_EQ(unusable.message("A002"), "A002");
}

TEST_F(LanguageFileTest, ANewLanguageNameTakesEffectAtTheNextLookup) {
  lang.setLanguageName("German");
  EXPECT_EQ(lang.message("A002"), "Archiv erstellt");
  writeFile(dir.file("German.ini"), "[ResourceStrings]\nA002=Neu\n");
  EXPECT_EQ(lang.message("A002"), "Neu");
}

TEST_F(LanguageFileTest, FormatChecksTheTextAndTheValuesAgainstTheKey) {
  EXPECT_EQ(lang.format("A045", {"Disc", 2, 3}), "Searching Disc (2 of 3)");
  // The file's text wants a text where the key takes a number.
  EXPECT_EQ(lang.format("A046", {12}), "%s hits [12]");
  // The caller gives values the key does not take.
  EXPECT_EQ(lang.format("A045", {"Disc", "2", 3}), "Searching %s (%d of %d) [Disc, 2, 3]");
  // A missing key shows the key, as it would unformatted.
  EXPECT_EQ(lang.format("A010", {1, 2}), "A010");
}

TEST_F(LanguageFileTest, CaptionsHintsAndFont) {
  EXPECT_EQ(lang.caption(91101), "&Cancel");
  EXPECT_EQ(lang.hint(91101), "Close without saving");
  EXPECT_EQ(lang.caption(91102), "");
  EXPECT_EQ(lang.font({"Mono", 7}), (FontChoice{"Sans", 11}));
}

TEST_F(LanguageFileTest, AFontSizeThatIsNotAWholeNumberIsAnError) {
  for (std::string bad : {"big", "9.5", "", "+-3", "99999999999"}) {
    writeFile(dir.file("English.ini"), "[Information]\nFontSize=" + bad + "\n");
    try {
      lang.font({"Mono", 7});
      ADD_FAILURE() << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + bad + "' is not a valid integer value");
    }
  }
  writeFile(dir.file("English.ini"), "[Information]\nFontSize=-12\n");
  EXPECT_EQ(lang.font({"Mono", 7}), (FontChoice{"Mono", -12}));
}

TEST_F(LanguageFileTest, SavingInterfaceTextsWritesOnlyNonEmptyTranslatedTexts) {
  std::vector<InterfaceText> texts{{10000, "Kolvex", ""},
                                   {9999, "Not translated", "x"},
                                   {91101, "&Abbrechen", ""},
                                   {20001, "", "Clear"}};
  lang.saveInterfaceTexts(texts);
  std::string saved = readFile(dir.file("English.ini"));
  EXPECT_NE(saved.find("C10000=Kolvex\n"), std::string::npos);
  EXPECT_EQ(saved.find("H10000"), std::string::npos);
  EXPECT_EQ(saved.find("9999"), std::string::npos);
  EXPECT_EQ(saved.find("C20001"), std::string::npos);
  EXPECT_EQ(lang.caption(91101), "&Abbrechen");
  EXPECT_EQ(lang.hint(91101), "Close without saving");  // an empty hint does not clear
  EXPECT_EQ(lang.hint(20001), "Clear");
  EXPECT_EQ(lang.message("A006"), "Replace it?\nReally?");  // other sections untouched
}

TEST_F(LanguageFileTest, AvailableListsTheLanguageFilesOfAFolder) {
  writeFile(dir.file("Shout.INI"), "");
  writeFile(dir.file(".ini"), "");
  writeFile(dir.file("notes.txt"), "");
  EXPECT_EQ(LanguageFile::available(dir.path()),
            (std::vector<std::string>{"English", "German", "Shout"}));
  EXPECT_TRUE(LanguageFile::available(dir.file("nowhere")).empty());
}

}  // namespace
}  // namespace kolvex
