// The HTML report speaks the program's language: its tag and every caption.
#include <gtest/gtest.h>

#include <sstream>

#include "core/report/CatalogExport.h"
#include "core/report/LocalReportTexts.h"
#include "core/search/TUSearch.h"
#include "support/LanguageFiles.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

std::string languagesDir() { return test::languageFilesDir(); }

std::string hitsReport(const ReportTexts& texts) {
  TTSearchResultItem fileHit{kSearchFiles, 45001.25, 12, faArchive, "a.txt", "/docs/",
                             "/a/DISC.qel", "DISC"};
  std::ostringstream os;
  OstreamTextOut out(os);
  auto writer = MakeExportWriter(ExportFormat::Html, out, texts);
  EXPECT_TRUE(ExportSearchHits({fileHit}, "*.txt", *writer));
  return os.str();
}

TEST(LocalReportTexts, TheGermanProgramWritesAGermanPage) {
  LanguageFile german(languagesDir(), "German");
  const ReportTexts texts = LocalReportTexts(german);
  EXPECT_EQ(texts.language, "de");
  const ReportTexts english;
  // Every caption comes from the file.
  for (auto caption : {&ReportTexts::searchResults, &ReportTexts::baseDir, &ReportTexts::entries,
                       &ReportTexts::attributes, &ReportTexts::kindFile, &ReportTexts::sortHint,
                       &ReportTexts::madeBy, &ReportTexts::totalSize, &ReportTexts::created})
    EXPECT_NE(texts.*caption, english.*caption) << english.*caption;

  const std::string html = hitsReport(texts);
  EXPECT_NE(html.find("<html lang=\"de\">"), std::string::npos);
  EXPECT_NE(html.find("<th>Suchergebnisse</th>"), std::string::npos);
  EXPECT_NE(html.find("<th>Größe</th>"), std::string::npos);
  EXPECT_EQ(html.find("Search results"), std::string::npos);
  EXPECT_EQ(html.find(">Size<"), std::string::npos);
}

TEST(LocalReportTexts, WithoutALanguageFileThePageStaysEnglish) {
  test::TempDir empty;
  LanguageFile none(empty.path(), "Test");
  const ReportTexts texts = LocalReportTexts(none);
  const ReportTexts english;
  EXPECT_EQ(texts.language, "en");
  EXPECT_EQ(texts.name, english.name);
  EXPECT_EQ(texts.sortHint, english.sortHint);
  EXPECT_NE(hitsReport(texts).find("<html lang=\"en\">"), std::string::npos);

  LanguageFile englishFile(languagesDir(), "English");
  const ReportTexts fromFile = LocalReportTexts(englishFile);
  EXPECT_EQ(fromFile.language, "en");
  EXPECT_EQ(fromFile.sortHint, english.sortHint);
}

}  // namespace
}  // namespace kolvex
