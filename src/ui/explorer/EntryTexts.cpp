#include "ui/explorer/EntryTexts.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <string>

#include "core/explorer/CalendarTime.h"

namespace kolvex {
namespace {

// The long time format without its time-zone field, which a bare time of day lacks;
// worked out again only when the locale changes, since every painted row asks.
QString longTimeFormat(const QLocale& locale) {
  static QString raw, format;
  const QString wanted = locale.timeFormat(QLocale::LongFormat);
  if (wanted != raw) {
    raw = wanted;
    format = wanted;
    format.remove(QRegularExpression("\\s*\\bt+\\b\\s*"));
    format = format.trimmed();
  }
  return format;
}

}  // namespace

QString DateTimeTextOf(double dayCount) {
  const std::optional<CalendarTime> time = CalendarTimeOf(dayCount);
  if (!time) return {};
  const QLocale locale;
  QString text = locale.toString(QDate(time->year, time->month, time->day), QLocale::ShortFormat);
  if (!time->isMidnight()) {
    text += ' ' +
            locale.toString(QTime(time->hour, time->minute, time->second), longTimeFormat(locale));
  }
  return text;
}

QString storedText(const std::string& text) { return QFile::decodeName(text.c_str()); }

}  // namespace kolvex
