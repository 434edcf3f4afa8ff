#include "core/report/LocalReportTexts.h"

namespace kolvex {

ReportTexts LocalReportTexts(LanguageFile& language) {
  static constexpr struct {
    const char* key;
    std::string ReportTexts::*text;
  } kCaptions[] = {
      {"X001", &ReportTexts::searchResults},
      {"X002", &ReportTexts::folder},
      {"X003", &ReportTexts::baseDir},
      {"X004", &ReportTexts::fileSystem},
      {"X005", &ReportTexts::capacity},
      {"X006", &ReportTexts::created},
      {"X007", &ReportTexts::serial},
      {"X008", &ReportTexts::files},
      {"X009", &ReportTexts::folders},
      {"X010", &ReportTexts::totalSize},
      {"X011", &ReportTexts::description},
      {"X012", &ReportTexts::folderTree},
      {"X013", &ReportTexts::entries},
      {"X014", &ReportTexts::kind},
      {"X015", &ReportTexts::name},
      {"X016", &ReportTexts::size},
      {"X017", &ReportTexts::time},
      {"X018", &ReportTexts::attributes},
      {"X019", &ReportTexts::catalog},
      {"X020", &ReportTexts::kindFolder},
      {"X021", &ReportTexts::kindFile},
      {"X022", &ReportTexts::kindCatalog},
      {"X023", &ReportTexts::sortHint},
      {"X024", &ReportTexts::madeBy},
  };
  ReportTexts texts;
  for (const auto& c : kCaptions) {
    std::string local = language.message(c.key);
    if (local != c.key) texts.*c.text = std::move(local);
  }
  if (std::string tag = language.locale(); !tag.empty()) texts.language = std::move(tag);
  return texts;
}

}  // namespace kolvex
