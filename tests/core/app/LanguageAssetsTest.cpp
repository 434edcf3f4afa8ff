// The language files the program ships: every message key the program uses, every
// component number of its windows, and texts that fit the values they are filled with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/CheckedFormat.h"
#include "core/app/LanguageFile.h"
#include "core/app/MessageKeys.h"
#include "core/app/ProfileDocument.h"
#include "support/LanguageFiles.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

std::string languagesDir() { return test::languageFilesDir(); }

// The numbered components of every window and view.
std::vector<int> componentTags() {
  std::vector<int> tags{10000, 10001, 10002, 10003, 10004, 10006, 10007, 10008, 92001, 92002, 92003,
                        92004, 40001, 40002, 40003, 40004, 40005, 40006, 40007, 40008, 40016, 50001,
                        50002, 50003, 50004, 50005, 50006, 50007, 60000, 60001, 60002, 60003,
                        60004, 60005, 60006, 61000, 61001, 61002, 81000, 91101, 91102};
  for (int t = 20001; t <= 20030; ++t) tags.push_back(t);
  for (int t = 30001; t <= 30017; ++t) tags.push_back(t);
  for (int t = 96000; t <= 96005; ++t) tags.push_back(t);
  for (int t = 96010; t <= 96012; ++t) tags.push_back(t);
  for (int t = 70001; t <= 70008; ++t) tags.push_back(t);
  for (int t = 90101; t <= 90105; ++t) tags.push_back(t);
  for (int t = 90201; t <= 90206; ++t) tags.push_back(t);
  for (int t = 90301; t <= 90306; ++t) tags.push_back(t);
  return tags;
}

class LanguageAssets : public ::testing::TestWithParam<const char*> {
 protected:
  ProfileDocument doc{test::readFile(languagesDir() + GetParam() + ".ini")};
};

TEST_P(LanguageAssets, EveryMessageIsThereAndFitsItsValues) {
  for (const MessageKey& k : messageKeys()) {
    EXPECT_EQ(findMessageKey(k.key), &k) << k.key;  // the table is searched in halves
    std::optional<std::string> text = doc.value("ResourceStrings", k.key);
    ASSERT_TRUE(text) << k.key;
    EXPECT_FALSE(text->empty()) << k.key;
    if (k.args.empty()) {
      EXPECT_EQ(text->find('%'), std::string::npos) << k.key << ": " << *text;
    } else {
      EXPECT_EQ(formatProblem(*text, k.args), "") << k.key << ": " << *text;
      // Every value is shown, none is left out.
      std::size_t placeholders = 0;
      for (std::size_t i = 0; i + 1 < text->size(); ++i) {
        if ((*text)[i] == '%' && (*text)[i + 1] != '%') ++placeholders;
        if ((*text)[i] == '%') ++i;
      }
      EXPECT_EQ(placeholders, k.args.size()) << k.key;
    }
  }
}

TEST_P(LanguageAssets, EveryComponentHasACaptionAndAHintEntry) {
  for (int tag : componentTags()) {
    EXPECT_TRUE(doc.value("Interface", "C" + std::to_string(tag))) << tag;
    EXPECT_TRUE(doc.value("Interface", "H" + std::to_string(tag))) << tag;
  }
  EXPECT_EQ(doc.value("Interface", "C91101")->empty(), false);
}

TEST_P(LanguageAssets, TheFontIsValidAndTheFileIsUtf8) {
  LanguageFile lang(languagesDir(), GetParam());
  FontChoice font = lang.font({"x", 1});
  EXPECT_FALSE(font.name.empty());
  EXPECT_GT(font.size, 0);
  EXPECT_NE(lang.message("A006").find('\n'), std::string::npos);
  EXPECT_EQ(lang.locale(), std::string(GetParam()) == "German" ? "de" : "en");
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageAssets, ::testing::Values("English", "German"));

TEST(LanguageAssetsTogether, BothLanguagesHaveTheSameEntries) {
  std::string en = test::readFile(languagesDir() + "English.ini");
  std::string de = test::readFile(languagesDir() + "German.ini");
  auto keys = [](const std::string& text) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
      std::size_t end = text.find('\n', pos);
      std::string line = text.substr(pos, end - pos);
      pos = end == std::string::npos ? text.size() : end + 1;
      if (!line.empty() && line[0] != ';') out.push_back(line.substr(0, line.find('=')));
    }
    return out;
  };
  EXPECT_EQ(keys(en), keys(de));
  EXPECT_NE(de.find("Gr\xC3\xB6\xC3\x9F"
                    "e"),
            std::string::npos);  // "Größe" in UTF-8
}

}  // namespace
}  // namespace kolvex
