#pragma once
// The default locale (dates, numbers, the desktop's type names) of the program's language,
// and the texts Qt's own windows bring along (the folder dialog's "Look in", "Cancel", the
// text fields' context menus) in the language the program speaks, from Qt's translations
// when the system has them (Debian: qt6-translations-l10n).
#include <QTranslator>
#include <memory>
#include <string>

namespace kolvex {

class LibraryTranslation {
 public:
  LibraryTranslation();
  ~LibraryTranslation();
  // Makes the locale's (LocaleOfLanguage) the default one, and switches to its translation ("de"); English or an unknown locale leaves
  // Qt's built-in texts. True when a translation is in use.
  bool apply(const std::string& locale);

 private:
  std::unique_ptr<QTranslator> translator_;
  std::string locale_;
};

}  // namespace kolvex
