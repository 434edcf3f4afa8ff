// Dates and the desktop's type names in the program's language, whatever the system's
// locale: the language sets the default locale, every view formats with it.
#include <QFile>
#include <QLocale>
#include <QMimeDatabase>
#include <QTest>
#include <cmath>

#include "ui/common/QtIconProvider.h"
#include "ui/common/QtText.h"
#include "ui/shell/LibraryTranslation.h"

using namespace kolvex;

class DateTextsTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { QLocale::setDefault(QLocale::c()); }

  void datesFollowTheLanguageWithFourDigitYears() {
    LibraryTranslation language;
    language.apply("de");
    QCOMPARE(DateTimeTextOf(45000.5), QString("15.03.2023 12:00:00"));  // 15 March 2023, noon
    QCOMPARE(DateTextOf(45000.5), QString("15.03.2023"));
    QCOMPARE(DateTimeTextOf(45000.0), QString("15.03.2023"));  // midnight: the date alone
    language.apply("en");
    if (QLocale::system().language() != QLocale::English) {
      QCOMPARE(DateTextOf(45000.25), QString("3/15/2023"));
      QVERIFY2(DateTimeTextOf(45000.25).startsWith("3/15/2023 6:00:00"), qPrintable(DateTimeTextOf(45000.25)));
    }
    // Before 1900 and around the ends of the calendar.
    language.apply("de");
    QCOMPARE(DateTimeTextOf(-1.25), QString("29.12.1899 06:00:00"));
    QCOMPARE(DateTimeTextOf(std::nan("")), QString());
    QCOMPARE(DateTimeTextOf(1e300), QString());
  }

  void theSystemsRegionIsKeptForItsOwnLanguage() {
    QCOMPARE(LocaleOfLanguage("").name(), QLocale::system().name());
    const QLocale german = LocaleOfLanguage("de");
    QCOMPARE(german.language(), QLocale::German);
    if (QLocale::system().language() != QLocale::German) QCOMPARE(german.name(), QString("de_DE"));
  }

  // The desktop's MIME database carries type names in many languages; shown in German when
  // it has German, in English otherwise.
  void typeNamesFollowTheLanguage() {
    QFile plain("/usr/share/mime/text/plain.xml");
    if (!plain.open(QIODevice::ReadOnly) || !plain.readAll().contains("xml:lang=\"de\""))
      QSKIP("the desktop's MIME database has no German names");
    LibraryTranslation language;
    QtIconProvider names;
    language.apply("en");
    const std::string english = names.typeNameOf("x.txt");
    language.apply("de");
    const std::string german = names.typeNameOf("x.txt");
    QVERIFY(!english.empty());
    QVERIFY2(german != english, german.c_str());
    // A language the database lacks falls back to English.
    QLocale::setDefault(QLocale(QLocale::Tigrinya, QLocale::Ethiopia));
    QCOMPARE(names.typeNameOf("x.txt"), english);
  }
};

QTEST_MAIN(DateTextsTest)
#include "DateTextsTest.moc"
