#include "ui/shell/LibraryTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include "ui/common/QtText.h"

namespace kolvex {

LibraryTranslation::LibraryTranslation() = default;

LibraryTranslation::~LibraryTranslation() {
  if (translator_) QCoreApplication::removeTranslator(translator_.get());
}

bool LibraryTranslation::apply(const std::string& locale) {
  // Dates, numbers and the desktop's type names follow the program's language, not the
  // system's locale.
  QLocale::setDefault(LocaleOfLanguage(locale));
  if (locale == locale_) return translator_ != nullptr;
  locale_ = locale;
  if (translator_) {
    QCoreApplication::removeTranslator(translator_.get());
    translator_.reset();
  }
  if (locale.empty() || locale == "en") return false;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load("qtbase_" + QString::fromStdString(locale),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;  // not installed: Qt's windows keep their English texts
  QCoreApplication::installTranslator(translator.get());
  translator_ = std::move(translator);
  return true;
}

}  // namespace kolvex
