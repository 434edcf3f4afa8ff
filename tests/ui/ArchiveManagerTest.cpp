// The archive manager: listing the catalog folder, handing the list on, the detail panel,
// delete, browse, search, update and damaged catalogs.
#include <dirent.h>
#include <sys/stat.h>

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QTest>
#include <optional>
#include <QToolButton>
#include <fstream>
#include <memory>

#include "core/catalog/AppDir.h"
#include "core/catalog/ScanState.h"
#include "core/catalog/FormatSize.h"
#include "core/persist/CatalogReader.h"
#include "support/ScriptedSeams.h"
#include "ui/shell/ViewRegistry.h"
#include "ui/common/CatalogFolderService.h"
#include "ui/common/QtIconProvider.h"
#include "ui/common/Skin.h"
#include "ui/shell/ViewWiring.h"
#include "ui/archives/ArchiveListModel.h"
#include "ui/archives/TArchiveManFrame.h"
#include "ui/catalog/DesktopScanRunner.h"
#include "ui/support/RecordingSeams.h"
#include "ui/support/RecordingViews.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

using RecordingViews = RecordingSwitcher;

struct Fixture {
  Fixture() : language(LanguagesDir(), "English") {
    options.setFactoryValues();
    catalogs.setScanRunner(std::make_unique<DesktopScanRunner>(context, icons, ArchivesDir()));
    frame = std::make_unique<TArchiveManFrame>(context, nullptr);
    frame->resize(700, 430);
    WireViews(catalogs, {frame.get(), &explorer, &search, nullptr, nullptr}, views);
  }
  ~Fixture() {
    frame.reset();
    catalogs.setScanRunner(nullptr);
  }
  static UiAppFolder& folder() {
    static UiAppFolder f;
    f.useAsAppDir();
    return f;
  }
  // A catalog of a new folder holding `files` small files, made by the program's scanner
  // (with the volume's capacity replaced by `capacity` when one is given).
  std::string makeCatalog(const std::string& name, int files,
                          std::optional<std::int64_t> capacity = std::nullopt) {
    std::string dir = scratch.path().toStdString() + "/" + name;
    QDir().mkpath(QString::fromStdString(dir));
    for (int i = 0; i < files; ++i) writeBytes(dir + "/f" + std::to_string(i) + ".txt", "x");
    TSCCDInfo header;
    DesktopScanRunner& scans = *frame->Scans();
    if (!scans.scanner().GetVolumeInfo(dir, header)) throw std::runtime_error("no volume");
    if (capacity) header.CDSize = *capacity;
    std::string catalog = scans.scanner().ArchiveFileNameFor(header);
    if (!scans.CreateArchive(false, true, header, dir, catalog))
      throw std::runtime_error("scan failed");
    return catalog;
  }
  static std::vector<std::string> folderOrder() {
    std::vector<std::string> names;
    folder();
    DIR* d = ::opendir(ArchivesDir().c_str());
    if (!d) throw std::runtime_error("no catalog folder");
    while (dirent* e = ::readdir(d))
      if (std::string(e->d_name).ends_with(".qel")) names.push_back(ArchivesDir() + e->d_name);
    ::closedir(d);
    return names;
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
  ScriptedPicker picker;
  RecordingViews views;
  QtIconProvider icons;
  CatalogFolderService catalogs{dialogs, language, pump};
  AppContext context{options, package, skin, language, pump, dialogs, shell, views, catalogs, picker};
  RecordingView explorer{context};
  RecordingView search{context};
  std::unique_ptr<TArchiveManFrame> frame;
};

// A detail label as the user reads it, without the invisible wrapping points.
std::string shown(const QLabel* label) { return label->text().remove(QChar(0x200B)).toStdString(); }

void clearArchives() {
  for (const std::string& p : Fixture::folderOrder()) std::remove(p.c_str());
}

}  // namespace

class ArchiveManagerTest : public QObject {
  Q_OBJECT

 private slots:
  void aColumnClickSortsAndTheOrderHoldsAtTheNextRefresh() {
    Fixture f;
    f.makeCatalog("small", 1);
    f.makeCatalog("large", 30);
    f.frame->RefreshArchives();
    auto* header = f.frame->List()->detailView()->header();
    f.frame->List()->setStyle(ArchiveListView::Style::Detailed);
    QCOMPARE(header->sortIndicatorSection(), int(ArchiveListModel::kLabel));
    header->setSortIndicator(ArchiveListModel::kLabel, Qt::DescendingOrder);  // a second click
    QVERIFY(f.frame->Model()->row(0).label.endsWith("small"));
    header->setSortIndicator(ArchiveListModel::kDateTime, Qt::AscendingOrder);
    const std::string first = f.frame->Model()->row(0).path.toStdString();
    f.frame->RefreshArchives();
    QCOMPARE(f.frame->Model()->row(0).path.toStdString(), first);
    QCOMPARE(f.frame->Model()->sortColumn(), int(ArchiveListModel::kDateTime));
  }

  // A volume that reported no capacity (-1) shows it as unknown, never as a negative size.
  void anUnknownCapacityReadsUnknownInEveryLanguage() {
    Fixture f;
    f.makeCatalog("nocapacity", 1, -1);
    f.frame->RefreshArchives();
    f.frame->List()->selectRow(0);
    auto* details = f.frame->findChild<QWidget*>("iLeftBar");
    const QModelIndex size = f.frame->Model()->index(0, ArchiveListModel::kSize);
    QCOMPARE(shown(details->findChild<QLabel*>("lArchiveSize")), std::string("Capacity: unknown"));
    QCOMPARE(size.data().toString(), QString("unknown"));
    f.language.setLanguageName("German");
    f.frame->ApplyLanguage();
    QCOMPARE(shown(details->findChild<QLabel*>("lArchiveSize")), std::string("Kapazität: unbekannt"));
    QCOMPARE(size.data().toString(), QString("unbekannt"));
    f.language.setLanguageName("English");
    // Sorting by capacity puts it before every known one.
    f.makeCatalog("known", 1);
    f.frame->RefreshArchives();
    f.frame->Model()->sort(ArchiveListModel::kSize);
    QVERIFY(f.frame->Model()->row(0).label.endsWith("nocapacity"));
    QVERIFY(f.frame->Model()->index(1, ArchiveListModel::kSize).data().toString().toLongLong() > 0);
  }

  void theDetailsAndTheStatusSpeakTheNewLanguageAtOnce() {
    Fixture f;
    f.makeCatalog("sprache", 1);
    f.frame->RefreshArchives();
    f.frame->List()->selectRow(0);
    auto* details = f.frame->findChild<QWidget*>("iLeftBar");
    QCOMPARE(details->findChild<QLabel*>("lRemovable")->text(), QString("Removable: No"));
    f.language.setLanguageName("German");
    f.frame->ApplyLanguage();
    QCOMPARE(details->findChild<QLabel*>("lRemovable")->text(), QString("Wechseldatenträger: Nein"));
    QCOMPARE(f.frame->StatusText(), QString("1 Objekt(e)"));
    QCOMPARE(f.frame->SelectedArchive(), f.frame->Model()->row(0).path.toStdString());
    f.language.setLanguageName("English");
  }

  void init() { clearArchives(); }

  void anEmptyFolderGivesAnEmptyListAndHandsItOn() {
    Fixture f;
    f.frame->RefreshArchives();
    QCOMPARE(f.frame->Model()->rowCount(), 0);
    QCOMPARE(f.frame->StatusText(), QString("0 item(s)"));
    QCOMPARE(f.explorer.lists.size(), std::size_t(1));
    QVERIFY(f.explorer.lists.back().empty());
    QCOMPARE(f.search.lists.size(), std::size_t(1));
    // The empty list tells how to make a first catalog, in the language shown; one
    // catalog made, it is gone.
    QVERIFY(f.frame->List()->emptyHint().contains("Create"));
    f.language.setLanguageName("German");
    f.frame->ApplyLanguage();
    QVERIFY(f.frame->List()->emptyHint().contains("Erstellen"));
    f.language.setLanguageName("English");
    f.frame->ApplyLanguage();
    f.makeCatalog("first", 1);
    f.frame->RefreshArchives();
    QCOMPARE(f.frame->List()->emptyHint(), QString());
  }

  void refreshListsCatalogsByLabelAndHandsThemOn() {
    Fixture f;
    for (const char* name : {"disc 10", "Disc 9", "alpha"}) f.makeCatalog(name, 2);
    f.frame->RefreshArchives();
    QCOMPARE(f.frame->Model()->rowCount(), 3);
    QCOMPARE(f.frame->StatusText(), QString("3 item(s)"));
    const auto& handed = f.explorer.lists.back();
    QCOMPARE(handed.size(), std::size_t(3));
    // By label as people read it (digits by value, letters without case), whatever order
    // the folder lists the files in.
    QStringList labels;
    for (int i = 0; i < 3; ++i) labels << f.frame->Model()->row(i).label;
    QVERIFY2(labels[0].endsWith("alpha") && labels[1].endsWith("Disc 9") &&
                 labels[2].endsWith("disc 10"),
             qPrintable(labels.join(" | ")));
    for (int i = 0; i < 3; ++i) {
      const ArchiveListModel::Row& row = f.frame->Model()->row(i);
      QCOMPARE(handed[i].path, row.path.toStdString());
      QCOMPARE(handed[i].label, row.label.toStdString());
      CatalogReader reader(row.path.toStdString());
      QCOMPARE(row.bytes, reader.header().CDSize);
      QCOMPARE(row.baseDir.toStdString(), reader.header().BaseDir);
    }
    QCOMPARE(f.search.lists.back().size(), std::size_t(3));
    // Nothing is selected after a refresh, so the selection commands wait.
    QVERIFY(f.frame->SelectedArchive().empty());
    QVERIFY(!f.frame->findChild<QToolButton*>("sbDelete")->isEnabled());
    QVERIFY(f.frame->findChild<QToolButton*>("sbCreateArchive")->isEnabled());
  }

  // Refresh rebuilds the list; the user's selection and place in it stay, by file.
  void refreshKeepsTheSelectionAndTheScrollPositionByFile() {
    Fixture f;
    for (int i = 0; i < 40; ++i) f.makeCatalog("disc " + std::to_string(i), 1);
    f.frame->show();
    ArchiveListView* list = f.frame->List();
    list->setStyle(ArchiveListView::Style::Detailed);
    f.frame->RefreshArchives();
    QCOMPARE(f.frame->Model()->rowCount(), 40);
    QTreeView* view = list->detailView();
    list->selectRow(30);
    const std::string chosen = f.frame->SelectedArchive();
    QVERIFY(!chosen.empty());
    view->scrollTo(f.frame->Model()->index(25, 0), QAbstractItemView::PositionAtTop);
    const QString top = view->indexAt(QPoint(1, 1)).data(ArchiveListModel::kPathRole).toString();
    QVERIFY(!top.isEmpty() && top != f.frame->Model()->row(0).path);
    // A new catalog is listed before them: rows move, the files stay chosen.
    f.makeCatalog("a first", 1);
    f.frame->RefreshArchives();
    QCOMPARE(f.frame->Model()->rowCount(), 41);
    QCOMPARE(f.frame->SelectedArchive(), chosen);
    QCOMPARE(shown(f.frame->findChild<QLabel*>("lArchiveCaption")),
             CatalogReader(chosen).header().CDLabel);
    QVERIFY(f.frame->findChild<QToolButton*>("sbDelete")->isEnabled());
    QCOMPARE(view->indexAt(QPoint(1, 1)).data(ArchiveListModel::kPathRole).toString(), top);
    // Two chosen for comparing stay two; a chosen catalog that went is no longer chosen.
    list->selectRows({2, 3});
    const std::string gone = f.frame->Model()->row(3).path.toStdString();
    const QString kept = f.frame->Model()->row(2).path;
    std::remove(gone.c_str());
    f.frame->RefreshArchives();
    const std::vector<int> rows = list->selectedRows();
    QCOMPARE(rows.size(), std::size_t(1));
    QCOMPARE(f.frame->Model()->row(rows.front()).path, kept);
  }

  void selectingShowsTheDetailsAndEnablesTheCommands() {
    Fixture f;
    f.makeCatalog("details", 1);
    f.frame->RefreshArchives();
    f.frame->List()->selectRow(0);
    CatalogReader reader(f.frame->Model()->row(0).path.toStdString());
    QCOMPARE(f.frame->SelectedArchive(), f.frame->Model()->row(0).path.toStdString());
    // The add-archive dialog has a label of that name too: the detail panel's is meant.
    auto* details = f.frame->findChild<QWidget*>("iLeftBar");
    QCOMPARE(shown(details->findChild<QLabel*>("lArchiveCaption")), reader.header().CDLabel);
    QCOMPARE(shown(details->findChild<QLabel*>("lSerialNumber")),
             "Serial number: " + reader.header().CreateSerial);
    // The header holds the volume's capacity, not the bytes catalogued: it says so.
    QCOMPARE(shown(details->findChild<QLabel*>("lArchiveSize")),
             "Capacity: " + FormatSize(reader.header().CDSize));
    QCOMPARE(f.frame->Model()->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString("Capacity"));
    QVERIFY(f.frame->findChild<QToolButton*>("sbDelete")->isEnabled());
    // No readme in the folder: no description.
    QVERIFY(f.frame->findChild<QLabel*>("lDescription")->isHidden());
    f.frame->List()->selectRow(-1);
    QVERIFY(f.frame->SelectedArchive().empty());
    QCOMPARE(f.frame->findChild<QLabel*>("lArchiveCaption")->text(), QString("(none)"));
  }

  void deleteAsksClosesInTheExplorerAndRemovesTheFile() {
    Fixture f;
    const std::string catalog = f.makeCatalog("doomed", 1);
    f.frame->RefreshArchives();
    f.frame->List()->selectRow(0);
    f.frame->sbDeleteClick();  // answered No
    QVERIFY(exists(catalog));
    // The question names the catalog by its label and file.
    const std::string question = f.dialogs.questions.back();
    QVERIFY(question.starts_with(f.language.message("A009")));
    QVERIFY(question.find(f.frame->Model()->row(0).label.toStdString()) != std::string::npos);
    QVERIFY(question.ends_with(catalog));
    f.dialogs.answers.push_back(Answer::Yes);
    f.frame->List()->selectRow(0);
    f.frame->sbDeleteClick();
    QVERIFY(!exists(catalog));
    QCOMPARE(f.explorer.closed, std::vector<std::string>{catalog});
    QCOMPARE(f.frame->Model()->rowCount(), 0);
  }

  void browseAndSearchHandOverTheSelectedCatalog() {
    Fixture f;
    const std::string catalog = f.makeCatalog("handed", 1);
    f.frame->RefreshArchives();
    f.frame->sbPropertiesClick();  // nothing selected: nothing happens
    QVERIFY(f.views.shown.empty());
    f.frame->List()->selectRow(0);
    f.frame->sbPropertiesClick();
    f.frame->sbSearchClick();
    QCOMPARE(f.explorer.browsed, std::vector<std::string>{catalog});
    QCOMPARE(f.search.only, std::vector<std::string>{catalog});
    QCOMPARE(f.views.shown, (std::vector<int>{viewIndexOf("TArchiveExplorerFrame"), viewIndexOf("TSearchFrame")}));
  }

  void damagedCatalogsAreOfferedForDeletionOncePerStateAndHideNoneOfTheOthers() {
    Fixture f;
    const std::string good = f.makeCatalog("good", 1);
    const std::string other = f.makeCatalog("other", 1);
    const std::string bad = ArchivesDir() + "broken.qel";
    writeBytes(bad, "TPF0 this is no catalog");
    // A catalog cut off in the middle, as a full disc or a broken copy leaves it.
    const std::string cut = ArchivesDir() + "cut.qel";
    const std::string whole = readBytes(other);
    writeBytes(cut, whole.substr(0, whole.size() / 2));
    f.frame->RefreshArchives();
    QTest::qWait(1);  // the window is not up: the question comes when events run
    // Every readable catalog is listed and handed on; the status tells the count.
    QCOMPARE(f.frame->Model()->rowCount(), 2);
    QCOMPARE(f.frame->StatusText(), QString("2 item(s)"));
    QCOMPARE(f.explorer.lists.back().size(), std::size_t(2));
    QCOMPARE(f.search.lists.back().size(), std::size_t(2));
    // One question names each file that cannot be read, with its reason in words.
    QVERIFY(f.dialogs.messages.empty());
    QCOMPARE(f.dialogs.questions.size(), std::size_t(1));
    std::string text = f.dialogs.questions[0];
    QVERIFY2(text.find(bad + ": ") != std::string::npos, text.c_str());
    QVERIFY2(text.find(cut + ": " + f.language.message("U002")) != std::string::npos, text.c_str());
    QVERIFY(text.find("Stream read error") == std::string::npos);
    QVERIFY(text.find(good) == std::string::npos);
    auto deleteDamaged = f.frame->findChild<QAction*>("miDeleteDamaged");
    QVERIFY(deleteDamaged && deleteDamaged->isEnabled());

    // Kept (No): the same files unchanged are not asked about again at the next refresh,
    // nor at the next start...
    f.frame->RefreshArchives();
    QTest::qWait(1);
    QCOMPARE(f.dialogs.questions.size(), std::size_t(1));
    {
      Fixture nextStart;
      nextStart.frame->RefreshArchives();
      QTest::qWait(1);
      QVERIFY(nextStart.dialogs.questions.empty());
    }
    // ... but one that changed is, alone; the menu offers both again at any time.
    writeBytes(cut, whole.substr(0, whole.size() / 3));
    f.frame->RefreshArchives();
    QTest::qWait(1);
    QCOMPARE(f.dialogs.questions.size(), std::size_t(2));
    QVERIFY(f.dialogs.questions[1].find(cut) != std::string::npos);
    QVERIFY(f.dialogs.questions[1].find(bad) == std::string::npos);
    f.dialogs.answers.push_back(Answer::Yes);
    deleteDamaged->trigger();
    QCOMPARE(f.dialogs.questions.size(), std::size_t(3));
    QVERIFY(f.dialogs.questions[2].find(bad) != std::string::npos);
    QVERIFY(!isRegularFile(bad) && !isRegularFile(cut));
    QVERIFY(isRegularFile(good) && isRegularFile(other));
    QCOMPARE(f.frame->Model()->rowCount(), 2);
    QVERIFY(!deleteDamaged->isEnabled());
    QVERIFY(f.dialogs.messages.empty());
  }

  void theReasonADamagedCatalogIsRefusedSpeaksTheLanguage() {
    Fixture f;
    const std::string cut = ArchivesDir() + "halved.qel";
    const std::string whole = readBytes(f.makeCatalog("whole", 2));
    writeBytes(cut, whole.substr(0, whole.size() - 10));
    f.language.setLanguageName("German");
    f.frame->RefreshArchives();
    QTest::qWait(1);
    QCOMPARE(f.dialogs.questions.size(), std::size_t(1));
    const std::string& text = f.dialogs.questions[0];
    QVERIFY2(text.find("beschädigt") != std::string::npos, text.c_str());
    QVERIFY2(text.find(cut + ": " + f.language.message("U002")) != std::string::npos, text.c_str());
    // A fifo named like a catalog is refused in the language too, not in the stream's words.
    const std::string pipe = ArchivesDir() + "pipe.qel";
    QCOMPARE(::mkfifo(pipe.c_str(), 0600), 0);
    f.frame->RefreshArchives();
    QTest::qWait(1);
    QCOMPARE(f.dialogs.questions.size(), std::size_t(2));
    const std::string& again = f.dialogs.questions[1];
    QVERIFY2(again.find(pipe + ": Die Datei " + pipe + " kann nicht geöffnet werden: sie ist keine "
                                                       "gewöhnliche Datei") != std::string::npos,
             again.c_str());
    f.language.setLanguageName("English");
    std::remove(cut.c_str());
    std::remove(pipe.c_str());
  }

  void tabFromTheListStopsOnlyWhereTheFocusShows() {
    Fixture f;
    f.makeCatalog("tabbing", 1);
    f.frame->show();
    f.frame->RefreshArchives();
    f.frame->List()->setStyle(ArchiveListView::Style::Detailed);
    f.frame->List()->selectRow(0);
    // The base folder is a read-only text without a frame: no Tab stop, whatever else is.
    QWidget* start = f.frame->List()->detailView();
    QWidget* baseDir = f.frame->findChild<QWidget*>("mBaseDir");
    QVERIFY(baseDir && baseDir->isVisible());
    for (QWidget* w = start->nextInFocusChain(); w != start; w = w->nextInFocusChain()) {
      if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus)) continue;
      QVERIFY2(w != baseDir && !baseDir->isAncestorOf(w), qPrintable(w->objectName()));
    }
  }

  void labelsWithALongCommonStartStayApartInANarrowList() {
    Fixture f;
    f.makeCatalog("walk4_tree", 1);
    f.makeCatalog("usr_share_doc", 1);
    f.frame->RefreshArchives();
    QTreeView* detail = f.frame->List()->detailView();
    const QString first = f.frame->Model()->row(0).label, second = f.frame->Model()->row(1).label;
    // Narrower than either label: what the column shows of them still differs.
    const int width = detail->fontMetrics().horizontalAdvance(first) / 2;
    auto shown = [&](const QString& label) {
      return detail->fontMetrics().elidedText(label, detail->textElideMode(), width);
    };
    QVERIFY2(shown(first) != shown(second), qPrintable(shown(first)));
  }

  void updateRescansTheVolumeOnlyWhenItIsPresent() {
    Fixture f;
    const std::string catalog = f.makeCatalog("grows", 1);
    const std::string dir = CatalogReader(catalog).header().BaseDir;
    writeBytes(dir + "added.txt", "more");
    f.frame->RefreshArchives();
    f.frame->List()->selectRow(0);
    f.dialogs.answers.push_back(Answer::Yes);
    f.frame->UpdateSelectedArchive();
    QCOMPARE(f.dialogs.questions.back(), f.language.message("A028"));
    QCOMPARE(CatalogReader(catalog).header().TotalFiles, 2);
    QCOMPARE(f.explorer.closed, std::vector<std::string>{catalog});
    QVERIFY(f.dialogs.messages.empty());  // quiet: no success message

    // The folder is gone: A027, and the catalog stays as it was.
    const std::string before = readBytes(catalog);
    QDir(QString::fromStdString(dir)).removeRecursively();
    f.frame->List()->selectRow(0);
    f.dialogs.answers.push_back(Answer::Yes);
    f.frame->UpdateSelectedArchive();
    QCOMPARE(f.dialogs.messages.back().text, f.language.message("A027"));
    QCOMPARE(readBytes(catalog), before);
  }

  void theListHasFourStylesAndTranslatedColumns() {
    Fixture f;
    auto* model = f.frame->Model();
    QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Archive"));
    QCOMPARE(model->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString("Base Folder"));
    QCOMPARE(f.frame->List()->style(), ArchiveListView::Style::Icon);
    f.frame->findChild<QAction*>("miDetailed")->trigger();
    QCOMPARE(f.frame->List()->style(), ArchiveListView::Style::Detailed);
    QCOMPARE(f.frame->findChild<QAction*>("miRefresh")->shortcut(), QKeySequence(Qt::Key_F5));
  }
};

QTEST_MAIN(ArchiveManagerTest)
#include "ArchiveManagerTest.moc"
