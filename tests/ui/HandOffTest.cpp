// Single instance and hand-off with real copies of the program.
#include <signal.h>
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <chrono>
#include <future>
#include <memory>
#include <vector>

#include "support/ScriptedSeams.h"
#include "ui/shell/InstanceNames.h"
#include "ui/shell/InstanceServer.h"
#include "ui/shell/PargFile.h"
#include "ui/shell/Startup.h"
#include "ui/shell/TVORN_MainForm.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

constexpr int kProcessTimeout = 90000;

// This process as the running copy: lock, socket and main window in a test folder.
struct RunningCopy {
  explicit RunningCopy(const UiAppFolder& folder)
      : startup(folder.path(), CommandLine{}, folder.runtime(), nullptr) {
    folder.useAsAppDir();
    if (startup.prepare() != Startup::Outcome::Primary || !startup.server())
      throw std::runtime_error("the test could not become the running copy");
    MainFormSeams seams;
    seams.pump = &pump;
    seams.dialogs = &dialogs;
    seams.terminate = [] {};
    seams.offerFolder = [this](const std::string& f) { offered.push_back(f); };
    form = std::make_unique<TVORN_MainForm>(CommandLine{}, std::move(seams));
    form->hide();
    startup.server()->setHandlers(
        [this] {
          ++shown;
          form->ShowMainProgram();
        },
        [this] { form->TakeHandedOverFolder(); });
  }
  ScriptedPump pump;
  ScriptedDialogs dialogs;
  Startup startup;
  std::unique_ptr<TVORN_MainForm> form;
  std::vector<std::string> offered;
  int shown = 0;
};

// Runs the program with arguments and lets this process answer it until it ends.
int launch(const UiAppFolder& folder, const QStringList& args) {
  QProcess p;
  p.setProcessEnvironment(folder.environment());
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p.start(folder.installProgram(), args);
  if (!p.waitForStarted()) return -1;
  QSignalSpy finished(&p, &QProcess::finished);
  if (!finished.wait(kProcessTimeout)) {
    p.kill();
    p.waitForFinished();
    return -2;
  }
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -3;
}

bool answersShow(const QString& serverName) {
  QLocalSocket s;
  s.connectToServer(serverName);
  if (!s.waitForConnected(5000)) return false;
  s.write("2147\n");
  s.waitForBytesWritten(5000);
  while (!s.canReadLine())
    if (!s.waitForReadyRead(kProcessTimeout)) return false;
  return s.readLine() == "2147\n";
}

// Waits until a copy of the program listens (it holds the lock by then).
bool waitUntilListening(const QString& serverName, QProcess& p) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < kProcessTimeout) {
    if (p.state() == QProcess::NotRunning) return false;
    if (answersShow(serverName)) return true;
    QTest::qWait(100);
  }
  return false;
}

}  // namespace

class HandOffTest : public QObject {
  Q_OBJECT

 private slots:
  void aFolderWithSpacesReachesTheRunningCopy() {
    UiAppFolder folder;
    RunningCopy running(folder);
    const QString spaced = QString::fromStdString(folder.file("Holiday photos 2023/disc one"));
    QVERIFY(QDir().mkpath(spaced));

    QCOMPARE(launch(folder, {spaced}), 0);
    QCOMPARE(running.shown, 1);
    QCOMPARE(running.offered, std::vector<std::string>{spaced.toStdString()});
    QVERIFY(!exists(PargFile::path(folder.path())));
    QVERIFY(running.form->isVisible());
  }

  void aLaunchWithoutFolderOnlyShowsTheWindow_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no arguments") << QStringList{};
    QTest::newRow("/am") << QStringList{"/am"};
    QTest::newRow("a file") << QStringList{"Options.cfg"};
    QTest::newRow("a missing folder") << QStringList{"/no/such/folder"};
  }

  void aLaunchWithoutFolderOnlyShowsTheWindow() {
    QFETCH(QStringList, args);
    UiAppFolder folder;
    RunningCopy running(folder);
    writeBytes(PargFile::path(folder.path()), "/left/over/by/an/earlier/launch");
    for (QString& a : args)
      if (a == "Options.cfg") a = QString::fromStdString(folder.file("Options.cfg"));

    QCOMPARE(launch(folder, args), 0);
    QCOMPARE(running.shown, 1);
    QVERIFY(running.offered.empty());
    QVERIFY(!exists(PargFile::path(folder.path())));
  }

  // The running copy is on another display: its window comes to the front there, and the
  // launch learns where, so that it can tell the user instead of ending without a word.
  void aLaunchOnAnotherDisplayLearnsWhereTheWindowIs() {
    UiAppFolder folder;
    RunningCopy running(folder);
    running.startup.server()->setDisplay("xcb::41");
    auto launchOn = [&](const QString& display, QString& other) {
      auto done = std::async(std::launch::async, [&] {
        return HandOff::run(running.startup.server()->name(), folder.path(), CommandLine{},
                            HandOff::Timing{}, display, &other);
      });
      while (done.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QTest::qWait(10);
      return done.get();
    };
    QString other = "?";
    QCOMPARE(launchOn("xcb::53", other), HandOff::Result::Shown);
    QCOMPARE(other, QString("xcb::41"));
    QCOMPARE(running.shown, 1);
    const HandOff::Report there = HandOff::report(HandOff::Result::Shown, other);
    QVERIFY(!there.failed);
    QVERIFY2(there.text.contains("xcb::41"), qPrintable(there.text));
    // The same display: the window is in sight, nothing to say.
    QCOMPARE(launchOn("xcb::41", other), HandOff::Result::Shown);
    QVERIFY(other.isEmpty());
    QVERIFY(HandOff::report(HandOff::Result::Shown, other).text.isEmpty());
    QCOMPARE(running.shown, 2);
  }

  // A lock held by a copy that never answers: the launch says so and fails.
  void aRunningCopyThatDoesNotAnswerIsReported() {
    UiAppFolder folder;
    QString other;
    const HandOff::Result r = HandOff::run(QString::fromStdString(folder.file("no.socket")),
                                           folder.path(), CommandLine{}, {200, 200}, "xcb::1", &other);
    QCOMPARE(r, HandOff::Result::NoRunningCopy);
    const HandOff::Report said = HandOff::report(r, other);
    QVERIFY(said.failed);
    QVERIFY(!said.text.isEmpty());
  }

  void onlyTheTwoMessagesAreHandled() {
    UiAppFolder folder;
    RunningCopy running(folder);
    QLocalSocket client;
    client.connectToServer(running.startup.server()->name());
    QVERIFY(client.waitForConnected(5000));
    client.write("hello\n2146\n21470\n2147\n");
    QTRY_COMPARE(running.shown, 1);
    QTRY_VERIFY(client.bytesAvailable() >= 5);
    QCOMPARE(client.readAll(), QByteArray("2147\n"));

    client.write(QByteArray(InstanceServer::kMaxLine + 8, '2'));  // no end of line
    QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
    QCOMPARE(running.shown, 1);
  }

  void onlyThisUserCanReachTheSocket() {
    UiAppFolder folder;
    RunningCopy running(folder);
    struct stat st {};
    const QByteArray socket = QFile::encodeName(running.startup.server()->name());
    QCOMPARE(::stat(socket.constData(), &st), 0);
    QVERIFY(S_ISSOCK(st.st_mode));
    QCOMPARE(st.st_mode & 077, 0u);
    QCOMPARE(st.st_uid, ::getuid());
  }

  void aLockLeftByAKilledCopyIsTakenOver() {
    UiAppFolder folder;
    const QString server = InstanceNames::serverName(folder.runtime());
    QProcess first;
    first.setProcessEnvironment(folder.environment());
    first.start(folder.installProgram(), {});
    QVERIFY(waitUntilListening(server, first));
    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    QVERIFY(first.waitForFinished(kProcessTimeout));

    QProcess second;
    second.setProcessEnvironment(folder.environment());
    second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    second.start(folder.installProgram(), {});
    QVERIFY(waitUntilListening(server, second));  // it runs as the one copy
    QCOMPARE(second.state(), QProcess::Running);
    second.terminate();  // SIGTERM runs the ordinary shutdown
    QVERIFY(second.waitForFinished(kProcessTimeout));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(probeFilesIn(folder.path()).isEmpty());
  }

  void twentyLaunchesAtOnceLeaveOneCopy() {
    UiAppFolder folder;
    const QString program = folder.installProgram();
    std::vector<std::unique_ptr<QProcess>> copies;
    for (int i = 0; i < 20; ++i) {
      copies.push_back(std::make_unique<QProcess>());
      copies.back()->setProcessEnvironment(folder.environment());
      copies.back()->start(program, {});
    }
    auto running = [&] {
      int n = 0;
      for (auto& p : copies) n += p->state() != QProcess::NotRunning;
      return n;
    };
    QTRY_VERIFY_WITH_TIMEOUT(running() == 1, kProcessTimeout);
    QTest::qWait(1500);
    QCOMPARE(running(), 1);
    for (auto& p : copies) {
      if (p->state() != QProcess::NotRunning) {
        QVERIFY(answersShow(InstanceNames::serverName(folder.runtime())));
        p->terminate();
        QVERIFY(p->waitForFinished(kProcessTimeout));
      }
      QCOMPARE(p->exitStatus(), QProcess::NormalExit);
      QCOMPARE(p->exitCode(), 0);
    }
    QVERIFY(probeFilesIn(folder.path()).isEmpty());
  }
};

QTEST_MAIN(HandOffTest)
#include "HandOffTest.moc"
