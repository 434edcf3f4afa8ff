// The main window: views, slide-in, caption buttons, tray menu, language and shutdown.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QEventLoop>
#include <QFile>
#include <QLibraryInfo>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <csignal>
#include <memory>

#include "core/app/OptionsFile.h"
#include "core/catalog/AppDir.h"
#include "support/CatalogCraft.h"
#include "support/ScriptedSeams.h"
#include "ui/shell/ViewRegistry.h"
#include "ui/common/KolvexView.h"
#include "ui/shell/ProbeFiles.h"
#include "ui/common/QtDialogs.h"
#include "ui/shell/ShutdownSignals.h"
#include "ui/common/SkinWidgets.h"
#include "ui/shell/TVORN_MainForm.h"
#include "ui/archives/TArchiveManFrame.h"
#include "ui/search/TSearchFrame.h"
#include "ui/catalog/TAddArchiveForm.h"
#include "ui/support/RecordingSeams.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

// An options view whose changes the test sets.
class ChangedOptionsView : public KolvexView {
 public:
  using KolvexView::KolvexView;
  bool HasUnappliedChanges() const override { return changed; }
  void ApplyChanges() override {
    log.push_back("apply");
    changed = false;
  }
  void ReloadChanges() override {
    log.push_back("reload");
    changed = false;
  }
  bool changed = false;
  std::vector<std::string> log;
};

// A shell whose desktop cannot open anything.
struct FailingShell final : DesktopShell {
  std::string open(const std::string& path) override { return "The desktop could not open " + path; }
  std::string explore(const std::string&) override { return {}; }
  std::string print(const std::string&) override { return {}; }
};

struct Fixture {
  explicit Fixture(CommandLine commandLine = {}, bool scriptedOptionsView = false, bool tray = true,
                   const QString& stateFile = {}) {
    folder.useAsAppDir();
    ProbeFiles::create(folder.path());
    MainFormSeams seams;
    seams.trayAvailable = [tray] { return tray; };
    seams.stateFile = stateFile;
    seams.pump = &pump;
    seams.dialogs = &dialogs;
    seams.shell = &shell;
    seams.driveMonitor = std::make_unique<RecordingMonitor>(monitorLog);
    seams.terminate = [this] { ++terminated; };
    seams.offerFolder = [this](const std::string& f) { offered.push_back(f); };
    if (scriptedOptionsView)
      seams.createView = [this](int index, AppContext& context, QWidget* parent) -> KolvexView* {
        if (index != viewIndexOf("TOptionsFrame")) return createRegisteredView(index, context, parent);
        optionsView = new ChangedOptionsView(context, parent);
        return optionsView;
      };
    form = std::make_unique<TVORN_MainForm>(std::move(commandLine), std::move(seams));
    form->show();
  }
  template <class T>
  T* child(const char* name) {
    return form->findChild<T*>(name);
  }
  QAction* action(const char* name) { return form->findChild<QAction*>(name); }

  UiAppFolder folder;
  ScriptedPump pump;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  std::vector<std::string> monitorLog;
  int terminated = 0;
  std::vector<std::string> offered;
  ChangedOptionsView* optionsView = nullptr;
  std::unique_ptr<TVORN_MainForm> form;
};

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private slots:
  void isBuiltToItsSizeWithItsViews() {
    Fixture f;
    QCOMPARE(f.form->objectName(), QString("TVORN_MainForm"));
    QCOMPARE(f.form->size(), QSize(716, 557));
    QVERIFY(f.form->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(f.form->windowTitle(), QString("Kolvex"));
    QCOMPARE(f.form->CurrentViewIndex(), 0);
    const QStringList names{"Archive Manager", "Archive Explorer", "Search", "Options", "About"};
    for (int i = 0; i < viewCount(); ++i) QCOMPARE(f.form->ViewName(i), names[i]);
    QCOMPARE(f.form->FrameCaption(), QString("Archive Manager"));
    QCOMPARE(f.form->View(4)->objectName(), QString("TAboutFrame"));
    QCOMPARE(f.child<QWidget>("pFrame")->size(), QSize(696, 433));
    for (const char* hidden : {"Button1", "Button2", "Button4"})
      QVERIFY(!f.child<QPushButton>(hidden)->isVisible());
    QCOMPARE(f.monitorLog, std::vector<std::string>{"start"});
  }

  void nextAndPreviousWrapAround() {
    Fixture f;
    auto* prev = f.child<QToolButton>("sbPrevFrame");
    auto* next = f.child<QToolButton>("sbNextFrame");
    prev->click();
    QCOMPARE(f.form->CurrentViewIndex(), 4);
    QCOMPARE(f.form->FrameCaption(), QString("About"));
    next->click();
    QCOMPARE(f.form->CurrentViewIndex(), 0);
    next->click();
    QCOMPARE(f.form->CurrentViewIndex(), 1);
    for (int i = 0; i < viewCount(); ++i) QCOMPARE(f.form->View(i)->isVisible(), i == 1);
    auto* frames = f.child<QMenu>("pmFrames");
    QCOMPARE(frames->actions().size(), 5);
    for (QAction* a : frames->actions()) QCOMPARE(a->isChecked(), a->data().toInt() == 1);
  }

  void theTrayMenuShowsTheWindowWithAView() {
    Fixture f;
    f.form->hide();
    QMenu* sub = f.child<QMenu>("miSubInterface");
    QCOMPARE(sub->actions().size(), 5);
    sub->actions()[2]->trigger();
    QVERIFY(f.form->isVisible());
    QCOMPARE(f.form->CurrentViewIndex(), 2);
    QCOMPARE(f.form->FrameCaption(), QString("Search"));
  }

  void aViewSlidesInTenPixelsAStep() {
    Fixture f;
    // A frame 435 pixels high: 557 + 2 in a window whose chrome takes 124.
    f.form->resize(716, 559);
    QWidget* view = f.form->View(2);
    std::vector<int> tops;
    // A picture of the whole view slides in, taken once; the view waits laid out at its
    // place under the one shown before.
    f.pump.onEvents = [&](int) {
      auto* slide = f.form->findChild<QLabel*>("lSlidingView");
      QVERIFY(slide);
      tops.push_back(slide->y());
      QCOMPARE(slide->pixmap().deviceIndependentSize().toSize(), QSize(696, 435));
      QCOMPARE(view->geometry(), QRect(0, 0, 696, 435));
      QVERIFY(view->isVisible());
    };
    f.form->ShowView(2);
    QVERIFY(!f.form->findChild<QLabel*>("lSlidingView"));
    QCOMPARE(tops.size(), 43u);
    QCOMPARE(tops.front(), -425);
    QCOMPARE(tops.back(), -5);
    for (std::size_t i = 1; i < tops.size(); ++i) QCOMPARE(tops[i] - tops[i - 1], 10);
    QCOMPARE(view->geometry(), QRect(0, 0, 696, 435));

    tops.clear();  // the view that is already shown slides in again
    f.form->ShowView(2);
    QCOMPARE(tops.size(), 43u);
  }

  void aSwitchAskedForDuringASlideFollowsIt() {
    Fixture f;
    bool asked = false;
    f.pump.onEvents = [&](int) {
      if (!asked) {
        asked = true;
        f.form->ShowView(3);
      }
    };
    f.form->ShowView(1);
    QCOMPARE(f.form->CurrentViewIndex(), 3);
    QVERIFY(f.form->View(3)->isVisible());
    QVERIFY(!f.form->View(1)->isVisible());
    QCOMPARE(f.form->View(3)->pos(), QPoint(0, 0));
  }

  void leavingChangedOptionsAsksFirst() {
    Fixture f({}, true);
    f.form->ShowView(viewIndexOf("TOptionsFrame"));
    f.optionsView->changed = true;

    f.dialogs.answers = {Answer::Cancel};
    f.form->ShowView(0);
    QCOMPARE(f.form->CurrentViewIndex(), 3);
    QCOMPARE(f.dialogs.questions.size(), 1u);
    QCOMPARE(f.dialogs.questions[0],
             std::string("The options have been changed.\nDo you want to apply them?"));
    QVERIFY(f.optionsView->log.empty());

    f.dialogs.answers = {Answer::No};
    f.form->ShowView(0);
    QCOMPARE(f.form->CurrentViewIndex(), 0);
    QCOMPARE(f.optionsView->log, std::vector<std::string>{"reload"});

    f.form->ShowView(viewIndexOf("TOptionsFrame"));
    f.optionsView->changed = true;
    f.dialogs.answers = {Answer::Yes};
    f.form->ShowView(4);
    QCOMPARE(f.form->CurrentViewIndex(), 4);
    QCOMPARE(f.optionsView->log, (std::vector<std::string>{"reload", "apply"}));
    QCOMPARE(f.dialogs.questions.size(), 3u);

    f.form->ShowView(1);  // nothing changed now: no question
    QCOMPARE(f.dialogs.questions.size(), 3u);
  }

  void maximisingSwapsTheGlyph() {
    Fixture f;
    auto* button = f.child<GlyphButton>("sbMaximize");
    auto* shadow = f.child<GlyphShadow>("lCapBtn");
    QCOMPARE(button->caption(), QString("1"));
    button->click();
    QVERIFY(f.form->isMaximized());
    QCOMPARE(button->caption(), QString("2"));
    QCOMPARE(shadow->caption(), QString("0 2 r"));
    QTest::mouseDClick(f.child<QWidget>("iCapControl"), Qt::LeftButton);  // as the button
    QVERIFY(!f.form->isMaximized());
    QCOMPARE(button->caption(), QString("1"));
    QCOMPARE(shadow->caption(), QString("0 1 r"));
  }

  void theMinimiseSwitchIsExact_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("minimised");
    QTest::newRow("/am") << "/am" << true;
    QTest::newRow("/AM") << "/AM" << false;
    QTest::newRow("none") << "" << false;
  }

  void theMinimiseSwitchIsExact() {
    QFETCH(QString, argument);
    QFETCH(bool, minimised);
    std::vector<std::string> args;
    if (!argument.isEmpty()) args.push_back(argument.toStdString());
    Fixture f(CommandLine::parse(args));
    QVERIFY(f.form->isVisible());
    QTest::qWait(700);
    const bool gone = !f.form->isVisible() || f.form->isMinimized();
    QCOMPARE(gone, minimised);
  }

  void aFolderOnTheCommandLineIsOffered() {
    UiAppFolder other;
    const std::string folder = other.file("Archives");
    Fixture f(CommandLine::parse({folder}));
    QCOMPARE(f.offered, std::vector<std::string>{folder});
    QVERIFY(f.form->isVisible());
  }

  void aHandOverWithoutPargDoesNothing() {
    Fixture f;
    f.form->TakeHandedOverFolder();
    QVERIFY(f.offered.empty());
  }

  void switchingTheLanguageRelabelsTheWindow() {
    Fixture f;
    auto* help = f.child<QToolButton>("sbHelp");
    QCOMPARE(help->text(), QString("Help"));
    QCOMPARE(f.child<QLabel>("lCap2")->text(), QString("Kolvex 1.0 Beta"));
    f.form->ShowView(4);

    f.form->Options().LanguageName = "German";
    f.form->RefreshLanguage();
    QCOMPARE(help->text(), QString("Hilfe"));
    QCOMPARE(f.child<QLabel>("lHelp")->text(), QString("Hilfe"));
    QCOMPARE(f.child<QToolButton>("sbExit")->text(), QString("Beenden"));
    QCOMPARE(f.form->FrameCaption(), QString("Info"));
    QCOMPARE(f.action("miMainProgram")->text(), QString("Hauptprogramm öffnen"));
    QCOMPARE(f.child<QToolButton>("sbNextFrame")->toolTip(), QString("Nächste Ansicht"));
    QCOMPARE(f.child<QMenu>("pmFrames")->actions()[0]->text(), QString("Archivverwaltung"));
    QCOMPARE(f.form->View(4)->findChild<QLabel*>("lAuthor")->text(),
             QString("Die Kolvex-Entwickler"));
    // Qt's own dialogs speak German too, where the system has Qt's translations.
    if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm"))
      QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QString("Suchen in:"));

    f.form->Options().LanguageName = "English";
    f.form->RefreshLanguage();
    QCOMPARE(help->text(), QString("Help"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QString("Look in:"));
    QCOMPARE(f.form->FrameCaption(), QString("About"));
  }

  void aMissingLanguageLeavesKeysAndEmptyCaptions() {
    Fixture f;
    f.form->Options().LanguageName = "Klingon";
    f.form->RefreshLanguage();
    QCOMPARE(f.form->FrameCaption(), QString("A029"));
    QCOMPARE(f.child<QToolButton>("sbHelp")->text(), QString());
  }

  void theDriveMonitorFollowsItsCheckMark() {
    Fixture f;
    QAction* spy = f.action("miEnableSpy");
    QVERIFY(spy->isChecked());
    spy->trigger();
    QVERIFY(!spy->isChecked());
    QCOMPARE(f.form->Monitor()->Running(), false);
    spy->trigger();
    QCOMPARE(f.form->Monitor()->Running(), true);
    QCOMPARE(f.monitorLog, (std::vector<std::string>{"start", "stop", "start"}));
  }

  void helpOpensThePageInTheApplicationFolder() {
    Fixture f;
    f.child<QToolButton>("sbHelp")->click();
    QCOMPARE(f.shell.opened, std::vector<std::string>{f.folder.file("Kolvex.html")});
  }

  void helpThatCannotOpenSaysSo() {
    Fixture f;
    FailingShell failing;
    MainFormSeams seams;
    seams.pump = &f.pump;
    seams.dialogs = &f.dialogs;
    seams.shell = &failing;
    seams.driveMonitor = std::make_unique<RecordingMonitor>(f.monitorLog);
    seams.terminate = [] {};
    seams.trayAvailable = [] { return true; };
    TVORN_MainForm form(CommandLine{}, std::move(seams));
    form.findChild<QToolButton*>("sbHelp")->click();
    QCOMPARE(f.dialogs.messages.size(), 1u);
    QCOMPARE(f.dialogs.messages[0].kind, MessageKind::Error);
    QCOMPARE(f.dialogs.messages[0].text, "The desktop could not open " + f.folder.file("Kolvex.html"));
  }

  void withoutANotificationAreaTheWindowOffersWhatTheTrayWould() {
    QTemporaryDir config;
    const QString state = config.path() + "/WindowState.ini";
    {
      Fixture f({}, false, false, state);
      // Minimising iconifies: a hidden window could not be found again.
      f.child<QToolButton>("sbMinimize")->click();
      QVERIFY(f.form->isMinimized() || f.form->isVisible());
      QVERIFY(!f.form->isHidden());
      f.form->ShowMainProgram();
      // The drive monitor's switch is in the window, in step with the tray item.
      auto* monitor = f.child<QToolButton>("sbDriveMonitor");
      QVERIFY(monitor->isVisible());
      QVERIFY(monitor->isChecked());
      monitor->click();
      QVERIFY(!f.action("miEnableSpy")->isChecked());
      QVERIFY(!f.form->Monitor()->Running());
      f.action("miEnableSpy")->trigger();
      QVERIFY(monitor->isChecked());
      QVERIFY(f.form->Monitor()->Running());
      // The first start says where the tray icon went, once.
      QTRY_COMPARE_WITH_TIMEOUT(f.dialogs.messages.size(), 1u, 3000);
      QCOMPARE(f.dialogs.messages[0].kind, MessageKind::Information);
      QCOMPARE(f.dialogs.messages[0].text, f.form->Language().message("A079"));
    }
    Fixture again({}, false, false, state);
    QTest::qWait(700);
    QVERIFY(again.dialogs.messages.empty());
    // With a tray, minimising hides the window into it as before.
    Fixture withTray;
    withTray.child<QToolButton>("sbMinimize")->click();
    QVERIFY(withTray.form->isHidden());
  }

  void aStartWithAFolderKeepsTheTrayNoteForTheNextStart() {
    QTemporaryDir config;
    const QString state = config.path() + "/WindowState.ini";
    UiAppFolder other;
    {
      Fixture f(CommandLine::parse({other.file("Archives")}), false, false, state);
      QTest::qWait(700);
      QVERIFY(f.dialogs.messages.empty());
    }
    Fixture next({}, false, false, state);
    QTRY_COMPARE_WITH_TIMEOUT(next.dialogs.messages.size(), 1u, 3000);
  }

  void theWindowsStateIsKeptForTheNextStart() {
    QTemporaryDir config;
    const QString state = config.path() + "/WindowState.ini";
    {
      Fixture f({}, false, true, state);
      f.form->setGeometry(40, 30, 900, 650);
      auto* explorer = f.form->View(viewIndexOf("TArchiveExplorerFrame"));
      explorer->findChild<QAction*>("miReport")->trigger();
      f.form->View(viewIndexOf("TSearchFrame"))->findChild<QAction*>("miList")->trigger();
      f.form->findChild<QWidget*>("TArchiveManFrame")->findChild<QAction*>("miDetailed")->trigger();
      f.child<QToolButton>("sbExit")->click();  // the state is written at shutdown
    }
    QVERIFY(QFile::exists(state));
    Fixture f({}, false, true, state);
    QCOMPARE(f.form->size(), QSize(900, 650));
    QVERIFY(f.form->View(viewIndexOf("TArchiveExplorerFrame"))->findChild<QAction*>("miReport")->isChecked());
    QWidget* search = f.form->View(viewIndexOf("TSearchFrame"));
    QVERIFY(search->findChild<QWidget*>("lvArchive")->isVisibleTo(search));
    QVERIFY(!search->findChild<QWidget*>("lvArchiveReport")->isVisibleTo(search));
    QWidget* manager = f.form->View(viewIndexOf("TArchiveManFrame"));
    QVERIFY(manager->findChild<QWidget*>("lvArchivesDetails")->isVisibleTo(manager));
  }

  void theRunningScanShowsInTheHeader() {
    Fixture f;
    auto* indicator = f.child<QWidget>("pScan");
    QVERIFY(indicator->isHidden());
    // The progress windows report to the catalog folder service, which the header follows.
    ScanActivity* activity = &f.form->Catalogs();
    activity->scanShown("MY DISC");
    activity->scanProgressed(40);
    QVERIFY(indicator->isVisible());
    QVERIFY(f.child<QLabel>("lScan")->text().contains("MY DISC"));
    QCOMPARE(f.child<QProgressBar>("pbScan")->value(), 40);
    f.form->Options().LanguageName = "German";
    f.form->RefreshLanguage();
    QCOMPARE(f.child<QLabel>("lScan")->text(), QString("Katalogisiere MY DISC ..."));
    activity->scanHidden();
    QVERIFY(indicator->isHidden());
  }

  void shutdownRunsOnceInItsOrder() {
    Fixture f;
    QCOMPARE(probeFilesIn(f.folder.path()).size(), 3);
    writeBytes(f.folder.file("GETSHINFO.txt"), "");
    QPointer<KolvexView> manager = f.form->View(0), options = f.form->View(3);
    f.child<QToolButton>("sbExit")->click();
    QCOMPARE(f.terminated, 1);
    QVERIFY(!manager);
    QVERIFY(!f.form->View(1) && !f.form->View(2));
    QVERIFY(options);  // the options and about views go with the window
    QVERIFY(f.form->TrayIcon() == nullptr);
    QCOMPARE(f.monitorLog, (std::vector<std::string>{"start", "stop", "destroyed"}));
    QVERIFY(probeFilesIn(f.folder.path()).isEmpty());

    f.action("miShutDown")->trigger();
    f.form->close();
    f.form.reset();
    QCOMPARE(f.terminated, 1);
  }

  void closingTheWindowEndsARunningSearch() {
    Fixture f;
    std::vector<test::Entry> files;
    for (int i = 0; i < 2000; ++i) files.push_back(test::file("f" + std::to_string(i) + ".txt"));
    const std::string catalog = f.folder.file("big.qel");
    test::writeCatalog(catalog, test::dir("base", std::move(files)));
    auto* search = qobject_cast<TSearchFrame*>(f.form->View(viewIndexOf("TSearchFrame")));
    QVERIFY(search);
    search->UpdatingArchiveList({{"Big", catalog}});
    search->engine().setEventSlice(std::chrono::milliseconds(0));
    search->findChild<QLineEdit*>("eMask")->setText("*.txt");
    // The window is closed while the run lets events in, from inside the program's loop.
    const int before = f.pump.calls;
    f.pump.onEvents = [&](int call) {
      if (call == before + 5) f.child<QToolButton>("sbExit")->click();
    };
    QEventLoop loop;
    QTimer::singleShot(0, [&] {
      search->findChild<QToolButton*>("sbSearch")->click();
      loop.quit();
    });
    loop.exec();
    QCOMPARE(f.terminated, 1);
    QCOMPARE(search->engine().state(), SearchState::Idle);
    QVERIFY2(search->engine().hitCount() < 2000, qPrintable(QString::number(search->engine().hitCount())));
  }

  void aStopSignalWhileADialogAsksEndsCleanly() {
    // The end of a session while the add dialog shows a message: the signal arrives in the
    // message box's own loop. The dialog and its box must outlive that loop (it freed a box
    // on the stack once), and the window goes when the program's loop is over.
    UiAppFolder folder;
    folder.useAsAppDir();
    ScriptedPump pump;
    QtDialogs dialogs;
    int terminated = 0;
    std::vector<std::string> monitorLog;
    MainFormSeams seams;
    seams.dialogs = &dialogs;
    seams.pump = &pump;
    seams.trayAvailable = [] { return true; };
    seams.driveMonitor = std::make_unique<RecordingMonitor>(monitorLog);
    // Quitting ends every running loop: here the box's.
    seams.terminate = [&terminated] {
      ++terminated;
      if (QWidget* box = QApplication::activeModalWidget()) box->close();
    };
    auto form = std::make_unique<TVORN_MainForm>(CommandLine{}, std::move(seams));
    ShutdownSignals stopSignals;
    connect(&stopSignals, &ShutdownSignals::requested, form.get(), [&form] { form->Shutdown(); });
    form->show();
    auto* manager = qobject_cast<TArchiveManFrame*>(form->View(viewIndexOf("TArchiveManFrame")));
    manager->OfferFolder(folder.path());
    QPointer<TAddArchiveForm> add = manager->AddArchiveForm();
    QVERIFY(add && add->isVisible());
    add->activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == add);
    add->findChild<QLineEdit*>("eCDLabel")->clear();

    QPointer<QMessageBox> box;
    QTimer::singleShot(0, [&box, &add] {
      box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box && box->parent() == add);
      ::raise(SIGTERM);
    });
    add->bOKClick();  // "enter a volume label", and the signal comes while it is shown
    QVERIFY(stopSignals.received());
    QCOMPARE(terminated, 1);
    QVERIFY(add);  // still there for the code the box returned to
    QTRY_VERIFY(!box);
    form.reset();
    QVERIFY(!add);
  }

  void saveOptionsWritesTheFactoryValues() {
    Fixture f;
    f.form->Options().ForeBackMaxItems = 99;
    f.form->Options().AutoStart = true;
    f.child<QPushButton>("Button4")->click();
    TSCOptions saved;
    loadOptions(saved, f.folder.file("Options.cfg"));
    QCOMPARE(saved.ForeBackMaxItems, 6);
    QCOMPARE(saved.SpyFrequency, 5000);
    QVERIFY(saved.AutoStart);  // kept as it was
    QVERIFY(f.dialogs.messages.empty());
  }

  void saveIPackReportsAMissingPicture() {
    Fixture f;
    const std::string before = readBytes(f.folder.file("IPack.ipk"));
    f.child<QPushButton>("Button2")->click();
    QCOMPARE(f.dialogs.messages.size(), 1u);
    QCOMPARE(f.dialogs.messages[0].text, "Cannot open file " + f.folder.file("flatmask2.bmp"));
    QCOMPARE(readBytes(f.folder.file("IPack.ipk")), before);
  }

  void aDamagedPackageIsReportedAndTheProgramGoesOn() {
    UiAppFolder folder;
    writeBytes(folder.file("IPack.ipk"), "TPF0 not really a package");
    folder.useAsAppDir();
    ScriptedDialogs dialogs;
    ScriptedPump pump;
    MainFormSeams seams;
    seams.dialogs = &dialogs;
    seams.pump = &pump;
    seams.terminate = [] {};
    TVORN_MainForm form(CommandLine{}, std::move(seams));
    QCOMPARE(dialogs.messages.size(), 1u);
    QCOMPARE(dialogs.messages[0].kind, MessageKind::Error);
    QCOMPARE(form.CurrentViewIndex(), 0);
    QVERIFY(form.skin().ITop.isNull());
  }
};

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
