#include "ui/common/QtText.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

#include "core/catalog/DateTimeText.h"

namespace kolvex {
namespace {

// The locale's short date with a four-digit year ("dd.MM.yyyy", "M/d/yyyy").
QString dateFormat(const QLocale& locale) {
  QString format = locale.dateFormat(QLocale::ShortFormat);
  if (!format.contains(QLatin1String("yyyy"))) format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  return format;
}

// The locale's short time with the seconds ("HH:mm:ss", "h:mm:ss AP").
QString timeFormat(const QLocale& locale) {
  QString format = locale.timeFormat(QLocale::ShortFormat);
  if (!format.contains(QLatin1Char('s'))) format.replace(QLatin1String("mm"), QLatin1String("mm:ss"));
  return format;
}

std::optional<QDateTime> dateTimeOf(double dayCount) {
  const auto t = CalendarOfDayCount(dayCount);
  if (!t) return std::nullopt;
  return QDateTime(QDate(t->tm_year + 1900, t->tm_mon + 1, t->tm_mday),
                   QTime(t->tm_hour, t->tm_min, t->tm_sec));
}

}  // namespace

QString DateTextOf(double dayCount) {
  const auto at = dateTimeOf(dayCount);
  if (!at) return {};
  const QLocale locale;
  return locale.toString(at->date(), dateFormat(locale));
}

QString DateTimeTextOf(double dayCount) {
  const auto at = dateTimeOf(dayCount);
  if (!at) return {};
  const QLocale locale;
  QString text = locale.toString(at->date(), dateFormat(locale));
  if (at->time() != QTime(0, 0)) text += QLatin1Char(' ') + locale.toString(at->time(), timeFormat(locale));
  return text;
}

QLocale LocaleOfLanguage(const std::string& code) {
  if (code.empty()) return QLocale::system();
  const QLocale language(QString::fromStdString(code));
  // A user whose system speaks the same language keeps the region's forms (en_GB dates).
  if (QLocale::system().language() == language.language()) return QLocale::system();
  return language;
}

QString storedText(const std::string& text) { return QFile::decodeName(text.c_str()); }

}  // namespace kolvex
