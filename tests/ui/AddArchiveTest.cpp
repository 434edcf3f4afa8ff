// The add-archive dialog with its progress windows, the compact window's shape, and the
// modify dialog.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "core/catalog/AppDir.h"
#include "core/catalog/ScanState.h"
#include "core/catalog/VolumeScanner.h"
#include "core/persist/CatalogReader.h"
#include "support/ScriptedSeams.h"
#include "ui/common/CatalogFolderService.h"
#include "ui/shell/InterfacePackFile.h"
#include "ui/common/QtIconProvider.h"
#include "ui/common/Skin.h"
#include "ui/shell/ViewWiring.h"
#include "ui/archives/ArchiveListModel.h"
#include "ui/archives/TArchiveManFrame.h"
#include "ui/archives/TModifyArchiveForm.h"
#include "ui/catalog/DesktopScanRunner.h"
#include "ui/catalog/IconPicture.h"
#include "ui/catalog/TAddArchiveForm.h"
#include "ui/catalog/TAddingForm.h"
#include "ui/catalog/TFlatAddingForm.h"
#include "ui/support/RecordingSeams.h"
#include "ui/support/RecordingViews.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

struct NoViews final : ViewSwitcher {
  void ShowView(int) override {}
};

struct Fixture {
  Fixture() : language(LanguagesDir(), "English") {
    options.setFactoryValues();
    catalogs.setScanRunner(
        std::make_unique<DesktopScanRunner>(context, icons, ArchivesDir(), &window));
    frame = std::make_unique<TArchiveManFrame>(context, nullptr);
    WireViews(catalogs, {frame.get(), &explorer, nullptr, nullptr, nullptr}, views);
    add = frame->AddArchiveForm();
  }
  static UiAppFolder& folder() {
    static UiAppFolder f;
    f.useAsAppDir();
    return f;
  }
  std::string makeFolder(const std::string& name, int files) {
    std::string dir = scratch.path().toStdString() + "/" + name;
    QDir().mkpath(QString::fromStdString(dir + "/sub"));
    for (int i = 0; i < files; ++i) writeBytes(dir + "/sub/f" + std::to_string(i), "data");
    return dir;
  }
  ~Fixture() {
    frame.reset();
    catalogs.setScanRunner(nullptr);
  }
  template <class T>
  T* in(QWidget* w, const char* name) {
    return w->findChild<T*>(name);
  }

  UiAppFolder& app = folder();
  QTemporaryDir scratch;
  TSCOptions options;
  TSCInterfacePack package;
  Skin skin;
  LanguageFile language;
  ScriptedPump pump;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  NoViews views;
  QtIconProvider icons;
  QWidget window;  // the main window, which the progress windows stay above
  CatalogFolderService catalogs{dialogs, language, pump};
  ScriptedPicker picker;
  AppContext context{options, package, skin, language, pump, dialogs, shell, views, catalogs, picker};
  RecordingView explorer{context};
  std::unique_ptr<TArchiveManFrame> frame;
  TAddArchiveForm* add = nullptr;
};

}  // namespace

class AddArchiveTest : public QObject {
  Q_OBJECT

 private slots:
  void dialogsStayAboveTheWindowAndSpeakTheNewLanguageAtOnce() {
    Fixture f;
    TModifyArchiveForm* modify = f.frame->ModifyArchiveForm();
    ScanWindows& windows = f.frame->Scans()->windows();
    // Owned by the view, or by the main window for the progress windows of the scan
    // runner, so the window system keeps them above the program's window.
    for (QWidget* w : {static_cast<QWidget*>(f.add), static_cast<QWidget*>(modify)}) {
      QCOMPARE(w->parentWidget(), static_cast<QWidget*>(f.frame.get()));
      QVERIFY(w->isWindow());
    }
    for (QWidget* w : {static_cast<QWidget*>(windows.addingForm()),
                       static_cast<QWidget*>(windows.flatAddingForm())}) {
      QCOMPARE(w->parentWidget(), &f.window);
      QVERIFY(w->isWindow());
    }
    QCOMPARE(f.add->windowTitle(), QString("Add A New Archive"));
    f.language.setLanguageName("German");
    f.frame->ApplyLanguage();
    QCOMPARE(f.add->windowTitle(), QString("Neues Archiv hinzufügen"));
    QCOMPARE(f.in<QPushButton>(f.add, "bCancel")->text(), QString("&Abbrechen"));
    QCOMPARE(modify->windowTitle(), QString("Archiv ändern"));
    QCOMPARE(f.in<QCheckBox>(modify, "cbRemovable")->text(), QString("&Wechseldatenträger"));
    QCOMPARE(windows.addingForm()->bCancel()->text(), QString("&Abbrechen"));
    QCOMPARE(windows.flatAddingForm()->sbCancel()->text(), QString("&Abbrechen"));
    // The dialog grows to fit the longer texts, never below the size it is made for.
    QVERIFY(f.add->width() >= TAddArchiveForm::kClientWidth);
    for (QLabel* label : f.add->findChildren<QLabel*>())
      if (label->isVisibleTo(f.add)) QVERIFY2(label->sizeHint().width() <= label->width() + 1,
                                              qPrintable(label->text()));
  }

  void tabLeavesTheDescriptionAndTheProgressNamesTheVolume() {
    Fixture f;
    f.add->show();
    auto* description = f.in<QPlainTextEdit>(f.add, "mDescription");
    description->setFocus();
    QTest::keyClick(description, Qt::Key_Tab);
    QVERIFY(!description->hasFocus());
    QVERIFY(!description->toPlainText().contains('\t'));
    TModifyArchiveForm* modify = f.frame->ModifyArchiveForm();
    QVERIFY(f.in<QPlainTextEdit>(modify, "mDescription")->tabChangesFocus());

    ScanWindows& windows = f.frame->Scans()->windows();
    windows.setVolume("HOLIDAY_2001");
    windows.setStatus("A004", "Counting files and folders...");
    QCOMPARE(windows.flatAddingForm()->lStat()->text(),
             QString("HOLIDAY_2001: Counting files and folders..."));
    QCOMPARE(windows.addingForm()->lStat()->text(), windows.flatAddingForm()->lStat()->text());
  }

  void theDialogReadsTheVolumeOfTheChosenFolder() {
    Fixture f;
    const std::string dir = f.makeFolder("Photos", 1);
    f.picker.answer = dir;
    f.add->bBrowsePathClick();
    QCOMPARE(f.picker.folderTitles, std::vector<std::string>{f.language.message("A017")});
    QCOMPARE(f.add->VolumePath(), dir);
    QVERIFY(!f.add->header().CreateSerial.empty());
    QCOMPARE(f.in<QLabel>(f.add, "lSerialNumber")->text().toStdString(),
             f.add->header().CreateSerial);
    QVERIFY(f.in<QLineEdit>(f.add, "eCDLabel")->text().endsWith("_Photos"));
    QVERIFY(QString::fromStdString(f.add->archiveFileName()).endsWith("_Photos.qel"));
    QCOMPARE(f.add->windowTitle(), QString("Add A New Archive"));
    QCOMPARE(f.add->size(), QSize(284, 279));

    // A label with a "/" is cleaned when the field is left.
    f.in<QLineEdit>(f.add, "eCDLabel")->setText("My/Photos");
    f.add->eCDLabelExit();
    QCOMPARE(f.add->header().CDLabel, std::string("My_Photos"));

    // The chooser starts at the folder the dialog shows.
    f.picker.answer.clear();  // cancelled
    f.add->bBrowsePathClick();
    QCOMPARE(f.picker.folderStarts.back(), dir);
    QCOMPARE(f.add->VolumePath(), dir);
  }

  void anUnreadablePathFallsBackToTheHomeFolder() {
    Fixture f;
    f.add->SetVolumePath("/no/such/folder/at/all");
    QCOMPARE(f.dialogs.messages.at(0).text, f.language.message("A001"));
    QCOMPARE(f.add->VolumePath(), TAddArchiveForm::DefaultPath());
  }

  void okScansTheFolderIntoACatalogAndRefreshesTheManager() {
    Fixture f;
    const std::string dir = f.makeFolder("Scanned", 3);
    f.add->SetVolumePath(dir);
    f.in<QPlainTextEdit>(f.add, "mDescription")->setPlainText("first line\nsecond line");
    bool progressShown = false;
    f.pump.onEvents = [&](int) {
      if (TheScanState().Running)
        progressShown |= f.frame->Scans()->windows().addingForm()->isVisible();
    };
    f.add->bOKClick();
    const std::string catalog = f.add->archiveFileName();
    QVERIFY(exists(catalog));
    QVERIFY(progressShown);
    QVERIFY(!f.frame->Scans()->windows().addingForm()->isVisible());
    QCOMPARE(f.dialogs.messages.back().text, f.language.message("A002"));
    CatalogReader reader(catalog);
    QCOMPARE(reader.header().TotalFiles, 3);
    QCOMPARE(reader.header().TotalDirectories, 1);
    QCOMPARE(reader.header().CDDescription->lines,
             (std::vector<std::string>{"first line", "second line"}));
    QCOMPARE(f.frame->Model()->rowCount(), 1);
    QCOMPARE(f.explorer.closed, std::vector<std::string>{catalog});

    // The same name again: A006, and No leaves the catalog alone.
    const std::string before = readBytes(catalog);
    f.add->bOKClick();
    QCOMPARE(f.dialogs.questions.back(), f.language.message("A006"));
    QCOMPARE(readBytes(catalog), before);
  }

  void anEmptyLabelIsRefused() {
    Fixture f;
    f.add->SetVolumePath(f.makeFolder("Unnamed", 1));
    f.in<QLineEdit>(f.add, "eCDLabel")->clear();
    f.add->bOKClick();
    QCOMPARE(f.dialogs.messages.back().text, f.language.message("A018"));
    QVERIFY(!exists(f.add->archiveFileName()));
  }

  void cancelLeavesTheOldCatalogAndASecondScanIsRefused() {
    Fixture f;
    const std::string dir = f.makeFolder("Kept", 40);
    f.add->SetVolumePath(dir);
    f.add->bOKClick();
    const std::string catalog = f.add->archiveFileName();
    const std::string before = readBytes(catalog);
    f.dialogs.messages.clear();

    writeBytes(dir + "/sub/new", "changed");
    bool refused = false;
    f.pump.onEvents = [&](int) {
      if (!TheScanState().Running) return;
      TSCCDInfo other;
      refused = !f.frame->Scans()->CreateArchive(false, true, other, dir, catalog + ".x");
      f.frame->Scans()->windows().addingForm()->bCancel()->click();
    };
    f.dialogs.answers.push_back(Answer::Yes);  // replace the old catalog
    f.add->bOKClick();
    QVERIFY(refused);
    QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
    QCOMPARE(f.dialogs.messages[0].text, std::string(kScanAlreadyRunning));
    QCOMPARE(readBytes(catalog), before);
    QVERIFY(!exists(catalog + ".x"));
  }

  void theCompactWindowTakesTheMaskShapeAboveTheTaskbar() {
    QImage mask(60, 30, QImage::Format_RGB32);
    mask.fill(Qt::white);
    QPainter p(&mask);
    p.fillRect(QRect(10, 5, 40, 20), Qt::black);
    p.end();
    Skin skin;
    TFlatAddingForm flat(skin);
    QCOMPARE(flat.size(), QSize(379, 62));
    flat.ShapeFromMask(mask);
    QCOMPARE(flat.size(), QSize(60, 30));
    QVERIFY(flat.mask().contains(QPoint(30, 15)));
    QVERIFY(!flat.mask().contains(QPoint(2, 2)));
    flat.PlaceAboveTaskbar();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(flat.frameGeometry().bottomRight(), available.bottomRight());
    TheScanState().AddingCancelled = false;
    flat.sbCancel()->click();
    QVERIFY(TheScanState().AddingCancelled);
    TheScanState().AddingCancelled = false;
  }

  void desktopIconsAreStoredAsIconFilesThatReadBack() {
    QtIconProvider icons;
    TIcon small, large;
    QVERIFY(icons.iconsOf(QDir::tempPath().toStdString(), small, large));
    QCOMPARE(iconPicture(small, 16).size(), QSize(16, 16));
    QCOMPARE(iconPicture(large, 32).size(), QSize(32, 32));
    QVERIFY(!iconOfPair(small, large).isNull());
  }

  void modifyRewritesTheHeaderAndKeepsTheRecords() {
    Fixture f;
    f.add->SetVolumePath(f.makeFolder("Edited", 5));
    f.add->bOKClick();
    const std::string catalog = f.add->archiveFileName();
    int recordsBefore = 0;
    CatalogReader(catalog).walkTree([&](auto, auto&, int) { ++recordsBefore; }, true);

    TModifyArchiveForm* modify = f.frame->ModifyArchiveForm();
    QVERIFY(modify->SetArchive(catalog));
    QCOMPARE(modify->windowTitle(), QString("Modify An Archive"));
    f.in<QLineEdit>(modify, "eCDLabel")->setText("New:Label");
    f.in<QLineEdit>(modify, "ePath")->setText("E:\\Backup");
    f.in<QPlainTextEdit>(modify, "mDescription")
        ->setPlainText(QString("a much longer description ").repeated(40));
    f.explorer.closed.clear();
    modify->bOKClick();
    QCOMPARE(f.in<QLineEdit>(modify, "ePath")->text(), QString("E:\\Backup\\"));
    CatalogReader reader(catalog);
    QCOMPARE(reader.header().CDLabel, std::string("New_Label"));
    QCOMPARE(reader.header().BaseDir, std::string("E:\\Backup\\"));
    int recordsAfter = 0;
    reader.walkTree([&](auto, auto&, int) { ++recordsAfter; }, true);
    QCOMPARE(recordsAfter, recordsBefore);
    QCOMPARE(f.explorer.closed, std::vector<std::string>{catalog});
    // Other tests' catalogs share the folder: find this one's row.
    QString listed;
    for (int i = 0; i < f.frame->Model()->rowCount(); ++i)
      if (f.frame->Model()->row(i).path.toStdString() == catalog)
        listed = f.frame->Model()->row(i).label;
    QCOMPARE(listed, QString("New_Label"));

    f.in<QLineEdit>(modify, "eCDLabel")->clear();
    const std::string before = readBytes(catalog);
    modify->bOKClick();
    QCOMPARE(f.dialogs.messages.back().text, f.language.message("A018"));
    QCOMPARE(readBytes(catalog), before);
  }

  // Pictures of the windows for a look by eye: KOLVEX_SHOTS_DIR names where they go and
  // KOLVEX_SHOT_PACKAGE the interface package to paint them with.
  void screenshots() {
    const QString out = qEnvironmentVariable("KOLVEX_SHOTS_DIR");
    if (out.isEmpty()) QSKIP("KOLVEX_SHOTS_DIR not set");
    Fixture f;
    InterfacePackFile::load(f.package, qEnvironmentVariable("KOLVEX_SHOT_PACKAGE").toStdString());
    f.skin.load(f.package);
    f.frame = std::make_unique<TArchiveManFrame>(f.context, nullptr);
    f.add = f.frame->AddArchiveForm();
    for (const char* doc : {"adduser", "apt", "bash", "coreutils", "python3"}) {
      f.add->SetVolumePath(std::string("/usr/share/doc/") + doc);
      f.dialogs.answers.push_back(Answer::Yes);
      f.add->bOKClick();
    }
    f.frame->resize(696, 433);
    f.frame->show();
    f.frame->RefreshArchives();
    f.frame->List()->selectRow(1);
    QTest::qWait(50);
    f.frame->grab().save(out + "/archives-manager.png");
    f.frame->findChild<QAction*>("miDetailed")->trigger();
    QTest::qWait(50);
    f.frame->grab().save(out + "/archives-manager-detailed.png");
    f.add->SetVolumePath("/usr/share/doc/bash");
    f.add->show();
    QTest::qWait(50);
    f.add->grab().save(out + "/archives-add.png");
    ScanWindows& w = f.frame->Scans()->windows();
    w.setStatus("A005", f.language.message("A005"));
    w.setRange(100);
    w.setPosition(40);
    for (QWidget* win :
         {static_cast<QWidget*>(w.addingForm()), static_cast<QWidget*>(w.flatAddingForm())})
      win->show();
    QTest::qWait(50);
    w.addingForm()->grab().save(out + "/archives-adding.png");
    QImage flat = w.flatAddingForm()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QRegion shape = w.flatAddingForm()->mask();
    for (int y = 0; y < flat.height(); ++y)
      for (int x = 0; x < flat.width(); ++x)
        if (!shape.isEmpty() && !shape.contains(QPoint(x, y)))
          flat.setPixel(x, y, qRgba(0, 0, 0, 0));
    flat.save(out + "/archives-flat-adding.png");
    TModifyArchiveForm* modify = f.frame->ModifyArchiveForm();
    modify->SetArchive(f.frame->Model()->row(1).path.toStdString());
    modify->show();
    QTest::qWait(50);
    modify->grab().save(out + "/archives-modify.png");
  }
};

QTEST_MAIN(AddArchiveTest)
#include "AddArchiveTest.moc"
