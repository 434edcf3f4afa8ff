#pragma once
// Texts of the core as Qt texts: the program's own (UTF-8) and the file system's bytes.
#include <QLocale>
#include <QString>
#include <string>

namespace kolvex {

// The date of a day count in the default locale's short form with a four-digit year
// ("15.03.2024" in German, "3/15/2024" in English); "" for a day count naming no date.
QString DateTextOf(double dayCount);
// The same date, a space and the time with seconds; the date alone at midnight. Every
// view shows dates so; the program's language sets the default locale (LocaleOfLanguage).
QString DateTimeTextOf(double dayCount);

// The locale for the program's language code ("de", "en"): the system's own when it speaks
// that language, else the language's main one; the system's for an empty code.
QLocale LocaleOfLanguage(const std::string& code);

// A text of the program (messages, labels, options), which is UTF-8.
inline QString qtText(const std::string& text) { return QString::fromStdString(text); }

// A name or path as stored (the file system's bytes), for showing.
QString storedText(const std::string& text);

}  // namespace kolvex
