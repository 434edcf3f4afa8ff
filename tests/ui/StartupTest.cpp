// Start-up: the required files, the probe files, the command line and parg.prg.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <QDir>
#include <QFile>
#include <QCloseEvent>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "ui/shell/CommandLine.h"
#include "ui/shell/InstanceNames.h"
#include "ui/shell/KolvexApplication.h"
#include "ui/shell/PargFile.h"
#include "ui/shell/ProbeFiles.h"
#include "ui/shell/RequiredFiles.h"
#include "ui/shell/ShutdownSignals.h"
#include "ui/shell/Startup.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  // The program's exit holds while a window will not close (a scan's progress window
  // as the scan unwinds): the loop ends, with status 0, before the watchdog's 3.
  void theExitEndsTheLoopsEvenWhenAWindowStaysOpen() {
    class Stubborn final : public QWidget {
      void closeEvent(QCloseEvent* e) override { e->ignore(); }
    } stubborn;
    stubborn.show();
    QTimer::singleShot(0, [] {
      QEventLoop nested;  // the exit comes from inside a nested loop, as from a dialog
      QTimer::singleShot(0, EndEventLoops);
      nested.exec();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(3); });
    watchdog.start(10000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(stubborn.isVisible());
  }

  void aBrokenPipeIsAFailedWriteNotTheEnd() {
    ShutdownSignals handlers;
    int ends[2];
    QCOMPARE(::pipe(ends), 0);
    ::close(ends[0]);  // nobody reads any more, as a pager that has quit
    errno = 0;
    QCOMPARE(::write(ends[1], "x", 1), ssize_t(-1));  // still here to see the answer
    QCOMPARE(errno, EPIPE);
    ::close(ends[1]);
  }

  void refusesWithoutARequiredFile_data() {
    QTest::addColumn<QStringList>("missing");
    QTest::newRow("interface package") << QStringList{"IPack.ipk"};
    QTest::newRow("options, although Default.cfg is there") << QStringList{"Options.cfg"};
    QTest::newRow("both") << QStringList{"IPack.ipk", "Options.cfg"};
  }

  void refusesWithoutARequiredFile() {
    QFETCH(QStringList, missing);
    UiAppFolder folder;
    writeBytes(folder.file("Default.cfg"), readBytes(folder.file("Options.cfg")));
    for (const QString& name : missing) ::unlink(folder.file(name.toStdString()).c_str());

    std::vector<std::string> shown;
    Startup startup(folder.path(), CommandLine{}, folder.runtime(),
                    [&](const std::string& text) { shown.push_back(text); });
    QCOMPARE(startup.prepare(), Startup::Outcome::Refused);
    QCOMPARE(shown.size(), 1u);
    QVERIFY(shown[0].starts_with(
        "One or more files needed to start Kolvex could not be accessed\n\rThe broken file"));
    QVERIFY(shown[0].ends_with("I am very sorry to bring such inconvenience to you!"));
    QCOMPARE(shown[0], std::string(RequiredFiles::kErrorText));
    QVERIFY(probeFilesIn(folder.path()).isEmpty());
    QVERIFY(QDir(folder.runtime()).isEmpty());  // no lock taken, no socket
  }

  void aFolderNamedLikeARequiredFileIsNotOne() {
    UiAppFolder folder;
    ::unlink(folder.file("Options.cfg").c_str());
    QDir().mkdir(QString::fromStdString(folder.file("Options.cfg")));
    QVERIFY(!RequiredFiles::present(folder.path()));
  }

  void probeFilesAreMadeEmptyWithoutFollowingLinks() {
    UiAppFolder folder;
    const std::string outside = folder.file("precious.txt");
    writeBytes(outside, "keep me");
    QCOMPARE(::symlink(outside.c_str(), folder.file("GETSHINFO.001").c_str()), 0);
    writeBytes(folder.file("GETSHINFO.002"), "old content");

    Startup startup(folder.path(), CommandLine{}, folder.runtime(), nullptr);
    QCOMPARE(startup.prepare(), Startup::Outcome::Primary);
    QCOMPARE(probeFilesIn(folder.path()),
             (QStringList{"GETSHINFO.000", "GETSHINFO.001", "GETSHINFO.002"}));
    for (const char* name : ProbeFiles::kNames) {
      struct stat st {};
      QCOMPARE(::lstat(folder.file(name).c_str(), &st), 0);
      QVERIFY(S_ISREG(st.st_mode));
      QCOMPARE(st.st_size, 0);
    }
    QCOMPARE(readBytes(outside), std::string("keep me"));
  }

  void shutdownRemovesEveryProbeFileAndNothingElse() {
    UiAppFolder folder;
    ProbeFiles::create(folder.path());
    writeBytes(folder.file("GETSHINFO.txt"), "");  // renamed for an extension and left over
    const std::string outside = folder.file("other.txt");
    writeBytes(outside, "x");
    QCOMPARE(::symlink(outside.c_str(), folder.file("GETSHINFO.lnk").c_str()), 0);
    writeBytes(folder.file("getshinfo.000"), "");  // another name: letter case counts here

    ProbeFiles::removeAll(folder.path());
    QVERIFY(probeFilesIn(folder.path()).isEmpty());
    QVERIFY(exists(outside));
    QVERIFY(exists(folder.file("getshinfo.000")));
    QVERIFY(exists(folder.file("Options.cfg")));
  }

  void commandLineLooksAtTheFirstArgumentOnly() {
    UiAppFolder folder;
    const std::string spaced = folder.file("my discs/copy of disc 1");
    QVERIFY(QDir().mkpath(QString::fromStdString(spaced)));
    writeBytes(folder.file("a file.txt"), "");

    QVERIFY(CommandLine::parse({"/am"}).minimize());
    QCOMPARE(CommandLine::parse({"/AM"}).kind(), CommandLine::Kind::None);
    QCOMPARE(CommandLine::parse({"/am "}).kind(), CommandLine::Kind::None);
    QCOMPARE(CommandLine::parse({spaced}).kind(), CommandLine::Kind::Folder);
    QCOMPARE(CommandLine::parse({spaced}).first(), spaced);
    QCOMPARE(CommandLine::parse({folder.file("a file.txt")}).kind(), CommandLine::Kind::None);
    QCOMPARE(CommandLine::parse({folder.file("missing")}).kind(), CommandLine::Kind::None);
    QCOMPARE(CommandLine::parse({"something", "/am"}).kind(), CommandLine::Kind::None);
    QCOMPARE(CommandLine::parse({}).kind(), CommandLine::Kind::None);
  }

  void pargIsTrimmedReadAndDeleted() {
    UiAppFolder folder;
    const std::string bytes = std::string("\t  /media/u/My Disc/\xE9t\xE9 \r\n", 26);
    writeBytes(PargFile::path(folder.path()), bytes);
    std::optional<std::string> got = PargFile::take(folder.path());
    QVERIFY(got.has_value());
    QCOMPARE(*got, std::string("/media/u/My Disc/\xE9t\xE9"));
    QVERIFY(!exists(PargFile::path(folder.path())));
    QVERIFY(!PargFile::take(folder.path()).has_value());
  }

  void pargIsNeverFollowedThroughALink() {
    UiAppFolder folder;
    const std::string secret = folder.file("secret");
    writeBytes(secret, "private data");
    const std::string parg = PargFile::path(folder.path());
    QCOMPARE(::symlink(secret.c_str(), parg.c_str()), 0);

    QVERIFY(!PargFile::take(folder.path()).has_value());  // not read through the link
    QVERIFY(!exists(parg));                               // the link itself is gone
    QCOMPARE(readBytes(secret), std::string("private data"));

    QCOMPARE(::symlink(secret.c_str(), parg.c_str()), 0);
    QVERIFY(PargFile::clear(folder.path()));
    QVERIFY(PargFile::write(folder.path(), "/some folder"));
    QCOMPARE(readBytes(secret), std::string("private data"));
    QCOMPARE(readBytes(parg), std::string("/some folder"));
    QVERIFY(!PargFile::write(folder.path(), "/again"));  // never over an existing name
  }

  void anOversizedPargIsDropped() {
    UiAppFolder folder;
    writeBytes(PargFile::path(folder.path()), std::string(PargFile::kMaxBytes + 1, 'a'));
    QVERIFY(!PargFile::take(folder.path()).has_value());
    QVERIFY(!exists(PargFile::path(folder.path())));
  }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
