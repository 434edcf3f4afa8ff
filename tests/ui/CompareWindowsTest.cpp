// The archive manager's comparisons on catalogs of real folders: duplicates across the
// ticked catalogs with the search's panel and actions, the changes between two selected
// catalogs, a medium verified against its catalog, and the fingerprint file following
// its catalog through the option, delete and modify.
#include <fcntl.h>
#include <sys/stat.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <memory>

#include "core/catalog/AppDir.h"
#include "core/content/CompanionStore.h"
#include "core/persist/CatalogReader.h"
#include "support/ScriptedSeams.h"
#include "ui/common/FingerprintSetting.h"
#include "ui/common/CatalogFolderService.h"
#include "ui/common/QtIconProvider.h"
#include "ui/common/Skin.h"
#include "ui/shell/ViewRegistry.h"
#include "ui/shell/ViewWiring.h"
#include "ui/archives/ArchiveListModel.h"
#include "ui/archives/ArchiveListView.h"
#include "ui/archives/TArchiveManFrame.h"
#include "ui/archives/TModifyArchiveForm.h"
#include "ui/catalog/DesktopScanRunner.h"
#include "ui/catalog/TAddArchiveForm.h"
#include "ui/compare/TCompareForm.h"
#include "ui/duplicates/DuplicateListModel.h"
#include "ui/duplicates/TDuplicatesForm.h"
#include "ui/support/RecordingSeams.h"
#include "ui/support/RecordingViews.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

struct KeptClipboard final : Clipboard {
  void setText(const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

struct Fixture {
  Fixture() : language(LanguagesDir(), "English") {
    // The fingerprint choice is kept in a configuration folder of this test's own.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    catalogs.setScanRunner(std::make_unique<DesktopScanRunner>(context, icons, ArchivesDir()));
    for (const QString& name : QDir(QString::fromStdString(ArchivesDir())).entryList(QDir::Files))
      QFile::remove(QString::fromStdString(ArchivesDir()) + name);
    options.setFactoryValues();
    frame = std::make_unique<TArchiveManFrame>(context, nullptr);
    frame->resize(700, 430);
    WireViews(catalogs, {frame.get(), &explorer, nullptr, nullptr, nullptr}, views);
  }
  ~Fixture() {
    frame.reset();
    catalogs.setScanRunner(nullptr);
  }
  std::string folder(const std::string& name) {
    const std::string dir = scratch.path().toStdString() + "/" + name;
    QDir().mkpath(QString::fromStdString(dir));
    return dir;
  }
  // A catalog of dir made by the program's scanner, with fingerprints or without.
  std::string catalogue(const std::string& dir, bool fingerprints) {
    SetRecordFingerprints(fingerprints);
    TSCCDInfo header;
    DesktopScanRunner& scans = *frame->Scans();
    if (!scans.scanner().GetVolumeInfo(dir, header)) throw std::runtime_error("no volume");
    const std::string catalog = scans.scanner().ArchiveFileNameFor(header);
    if (!scans.CreateArchive(false, true, header, dir, catalog)) throw std::runtime_error("scan failed");
    frame->RefreshArchives();
    return catalog;
  }
  int rowOf(const std::string& catalog) const {
    for (int r = 0; r < frame->Model()->rowCount(); ++r)
      if (frame->Model()->row(r).path.toStdString() == catalog) return r;
    return -1;
  }
  QAction* action(const char* name) const { return frame->findChild<QAction*>(name); }

  QTemporaryDir config, scratch;
  UiAppFolder app;
  bool appFolderInUse = (app.useAsAppDir(), true);  // before the language file is read
  TSCOptions options;
  TSCInterfacePack package;
  Skin skin;
  LanguageFile language;
  ScriptedPump pump;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  RecordingSwitcher views;
  QtIconProvider icons;
  CatalogFolderService catalogs{dialogs, language, pump};
  ScriptedPicker picker;
  AppContext context{options, package, skin, language, pump, dialogs, shell, views, catalogs, picker};
  RecordingView explorer{context};
  std::unique_ptr<TArchiveManFrame> frame;
};

// The mounted volume that carries a catalog's medium: the root, with the catalog's serial.
std::vector<Volume> mediumOf(const std::string& catalog) {
  Volume v;
  v.mountPoint = "/";
  v.serial = static_cast<std::uint32_t>(std::stoul(CatalogReader(catalog).header().CreateSerial));
  return {v};
}

QStringList column(QTreeWidget* list, int c) {
  QStringList out;
  for (int i = 0; i < list->topLevelItemCount(); ++i) out << list->topLevelItem(i)->text(c);
  return out;
}

}  // namespace

class CompareWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void duplicatesAcrossTickedCatalogsWithTheSearchActions() {
    Fixture f;
    const std::string one = f.folder("one"), two = f.folder("two");
    QDir().mkpath(QString::fromStdString(two + "/sub"));
    writeBytes(one + "/photo.jpg", std::string(5000, 'p'));
    writeBytes(two + "/sub/renamed.jpg", std::string(5000, 'p'));  // same content, other name
    writeBytes(one + "/a.txt", "same");
    writeBytes(one + "/b.txt", "same");  // a copy within one catalog
    writeBytes(two + "/only.txt", "other");
    const std::string first = f.catalogue(one, true), second = f.catalogue(two, true);

    f.action("miFindDuplicates")->trigger();
    TDuplicatesForm* form = f.frame->Duplicates();
    QVERIFY(form->isVisible());
    form->setVolumeSource([&] { return mediumOf(second); });
    form->bFindClick();
    form->finishNow();
    DuplicateListModel& groups = form->groups();
    // The larger waste first; the photo matched by content across both catalogs.
    QCOMPARE(groups.rowCount(), 2);
    QCOMPARE(groups.groups()[0].size, 5000);
    QVERIFY(groups.groups()[0].fingerprint.has_value());
    QCOMPARE(groups.rowCount(groups.index(0, 0)), 2);
    QCOMPARE(groups.groups()[1].size, 4);
    QVERIFY(form->statusText().startsWith("2 groups"));

    // A copy: the information panel, its medium, and the search's actions on it.
    const int renamed = copyName(groups.groups()[0].copies[0]) == "renamed.jpg" ? 0 : 1;
    form->selectCopy(0, renamed);
    const QModelIndex copy = groups.index(renamed, 0, groups.index(0, 0));
    QCOMPARE(groups.data(copy.siblingAtColumn(DuplicateListModel::kMedium), Qt::DisplayRole).toString(),
             QString("mounted"));
    QCOMPARE(form->findChild<QLabel*>("lFileName")->text().remove(QChar(0x200B)), QString("renamed.jpg"));
    KeptClipboard clipboard;
    form->actions().setClipboard(&clipboard);
    form->findChild<QAction*>("miCopyPath")->trigger();
    QCOMPARE(clipboard.texts, std::vector<std::string>{two + "/sub/"});
    form->findChild<QAction*>("miBrowseArchive")->trigger();
    QCOMPARE(f.explorer.browsed, std::vector<std::string>{second});
    QCOMPARE(f.explorer.browsedFolders, std::vector<std::string>{"X:\\sub\\"});
    QCOMPARE(f.explorer.selected, std::vector<std::string>{"renamed.jpg"});
    QCOMPARE(f.views.shown.back(), viewIndexOf("TArchiveExplorerFrame"));
    form->findChild<QAction*>("miExecuteItem")->trigger();
    QCOMPARE(f.shell.opened, std::vector<std::string>{two + "/sub/renamed.jpg"});

    // Only the ticked catalogs count: without the second, the photo has no copy.
    QListWidget* ticks = form->catalogList();
    for (int i = 0; i < ticks->count(); ++i)
      if (ticks->item(i)->data(Qt::UserRole + 1).toString().toStdString() == second)
        ticks->item(i)->setCheckState(Qt::Unchecked);
    form->bFindClick();
    form->finishNow();
    QCOMPARE(groups.rowCount(), 1);
    QCOMPARE(groups.groups()[0].size, 4);
    for (int i = 0; i < ticks->count(); ++i) ticks->item(i)->setCheckState(Qt::Unchecked);
    form->bFindClick();
    QCOMPARE(groups.rowCount(), 0);
    QCOMPARE(form->statusText(), QString("No archive is ticked."));
  }

  void diffNeedsTwoSelectedCatalogsAndListsTheMove() {
    Fixture f;
    const std::string dir = f.folder("tree");
    QDir().mkpath(QString::fromStdString(dir + "/old"));
    writeBytes(dir + "/old/x.bin", std::string(300, 'x'));
    writeBytes(dir + "/gone.txt", "g");
    const std::string catalog = f.catalogue(dir, true);
    // The state before, kept under another name with its fingerprints.
    const std::string before = ArchivesDir() + "before.qel";
    QVERIFY(QFile::copy(QString::fromStdString(catalog), QString::fromStdString(before)));
    QVERIFY(QFile::copy(QString::fromStdString(companionPathOf(catalog)),
                        QString::fromStdString(companionPathOf(before))));
    QTest::qSleep(1100);  // the second catalog is made later
    QVERIFY(QDir().rename(QString::fromStdString(dir + "/old"), QString::fromStdString(dir + "/new")));
    QFile::remove(QString::fromStdString(dir + "/gone.txt"));
    f.catalogue(dir, true);

    QVERIFY(!f.action("miDiffArchives")->isEnabled());
    f.frame->List()->selectRow(f.rowOf(catalog));
    QVERIFY(!f.action("miDiffArchives")->isEnabled());
    QVERIFY(f.action("miVerifyArchive")->isEnabled());
    f.frame->List()->selectRows({f.rowOf(catalog), f.rowOf(before)});
    QVERIFY(f.action("miDiffArchives")->isEnabled());
    // Two selected: the commands on one catalog wait for one.
    QVERIFY(!f.action("miDeleteArchive")->isEnabled());
    QVERIFY(!f.action("miVerifyArchive")->isEnabled());
    f.action("miDiffArchives")->trigger();
    TCompareForm* compare = f.frame->Compare();
    compare->finishNow();
    QCOMPARE(compare->outcome(), TCompareForm::Outcome::Differ);
    QCOMPARE(column(compare->results(), 0), (QStringList{"Removed", "Moved"}));
    QCOMPARE(column(compare->results(), 1), (QStringList{"gone.txt", "new/x.bin"}));
    QCOMPARE(compare->results()->topLevelItem(1)->text(2), QString("old/x.bin"));
    QVERIFY(compare->summaryText().contains("0 added"));
    QVERIFY(compare->summaryText().contains("1 removed"));

    // A catalog compared with its own copy agrees.
    QVERIFY(QFile::remove(QString::fromStdString(before)));
    QVERIFY(QFile::copy(QString::fromStdString(catalog), QString::fromStdString(before)));
    compare->diff(catalog, before);
    compare->finishNow();
    QCOMPARE(compare->outcome(), TCompareForm::Outcome::Same);
    QCOMPARE(compare->results()->topLevelItemCount(), 0);
  }

  void verifyFindsSilentCorruptionAndSaysWhenTheMediumIsAway() {
    Fixture f;
    const std::string dir = f.folder("disc");
    writeBytes(dir + "/keep.txt", "steady");
    writeBytes(dir + "/flip.bin", std::string(4096, 'a'));
    const std::string catalog = f.catalogue(dir, true);
    if (CatalogReader(catalog).header().CreateSerial == "0") QSKIP("the scratch folder's volume has no serial");
    // One byte changed, size and time as catalogued.
    struct stat st {};
    QCOMPARE(::stat((dir + "/flip.bin").c_str(), &st), 0);
    std::string bytes(4096, 'a');
    bytes[2000] = 'b';
    writeBytes(dir + "/flip.bin", bytes);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, (dir + "/flip.bin").c_str(), times, 0), 0);
    const std::string catalogBytes = readBytes(catalog);

    TCompareForm* compare = f.frame->Compare();
    compare->setVolumeSource([&] { return mediumOf(catalog); });
    f.frame->List()->selectRow(f.rowOf(catalog));
    f.action("miVerifyArchive")->trigger();
    compare->finishNow();
    QCOMPARE(compare->outcome(), TCompareForm::Outcome::Differ);
    QCOMPARE(column(compare->results(), 0), QStringList{"Content changed"});
    QCOMPARE(column(compare->results(), 1), QStringList{"flip.bin"});
    QVERIFY(compare->summaryText().contains("2 files checked, 2 of them read again"));
    QCOMPARE(readBytes(catalog), catalogBytes);  // read only

    compare->setVolumeSource([] { return std::vector<Volume>{}; });
    compare->verify(catalog);
    compare->finishNow();
    QCOMPARE(compare->outcome(), TCompareForm::Outcome::Trouble);
    QVERIFY(compare->summaryText().contains("not mounted"));
  }

  void theOptionDeleteAndModifyKeepTheFingerprintsWithTheirCatalog() {
    Fixture f;
    const std::string dir = f.folder("kept");
    writeBytes(dir + "/a.txt", "alpha");
    // The add dialog's tick is the option the next scans take.
    TAddArchiveForm* add = f.frame->AddArchiveForm();
    SetRecordFingerprints(false);
    add->SetVolumePath(dir);
    add->show();
    auto* tick = add->findChild<QCheckBox*>("cbFingerprints");
    QVERIFY(!tick->isChecked());
    tick->setChecked(true);
    f.dialogs.answers.push_back(Answer::Yes);
    add->bOKClick();
    QVERIFY(RecordFingerprints());
    const std::string catalog = add->archiveFileName();
    QCOMPARE(loadFingerprints(catalog).state, FingerprintLoad::State::Valid);

    // A new header keeps the fingerprints valid.
    TModifyArchiveForm* modify = f.frame->ModifyArchiveForm();
    QVERIFY(modify->SetArchive(catalog));
    modify->findChild<QLineEdit*>("eCDLabel")->setText("A label long enough to move the records");
    modify->bOKClick();
    QCOMPARE(QString::fromStdString(CatalogReader(catalog).header().CDLabel),
             QString("A label long enough to move the records"));
    QCOMPARE(loadFingerprints(catalog).state, FingerprintLoad::State::Valid);

    // Deleting the catalog deletes its fingerprints.
    f.frame->List()->selectRow(f.rowOf(catalog));
    f.dialogs.answers.push_back(Answer::Yes);
    f.frame->sbDeleteClick();
    QVERIFY(!QFile::exists(QString::fromStdString(catalog)));
    QVERIFY(!QFile::exists(QString::fromStdString(companionPathOf(catalog))));
  }
};

QTEST_MAIN(CompareWindowsTest)
#include "CompareWindowsTest.moc"
