// Export from the archive manager, the explorer's folder menu and the search results,
// the statistics window, and the explorer's space map, with scripted pickers and message
// boxes; pictures of the charts and the map when KOLVEX_SHOTS_DIR names a folder.
#include <QAction>
#include <QApplication>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPieSeries>
#include <QProgressDialog>
#include <QTest>
#include <QValueAxis>
#include <QTreeWidget>
#include <QSet>
#include <QRegularExpression>
#include <QToolButton>
#include <QTreeView>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

#include "core/app/LanguageFile.h"
#include "core/catalog/AppDir.h"
#include "core/catalog/FormatSize.h"
#include "core/report/CatalogStatistics.h"
#include "core/report/CsvExportWriter.h"
#include "mime/QtFileKindClassifier.h"
#include "support/CatalogCraft.h"
#include "support/OddCatalog.h"
#include "support/ScriptedSeams.h"
#include "ui/common/CatalogFolderService.h"
#include "ui/shell/InterfacePackFile.h"
#include "ui/common/QtIconProvider.h"
#include "ui/common/Skin.h"
#include "ui/shell/ViewWiring.h"
#include "ui/catalog/DesktopScanRunner.h"
#include "ui/archives/ArchiveListModel.h"
#include "ui/archives/ArchiveListView.h"
#include "ui/archives/TArchiveManFrame.h"
#include "ui/explorer/FolderTreeModel.h"
#include "ui/explorer/SpaceMapView.h"
#include "ui/explorer/TArchiveExplorerFrame.h"
#include "ui/report/ExportFile.h"
#include "ui/common/QtText.h"
#include "ui/report/StatisticsDialog.h"
#include "ui/search/SearchResultModel.h"
#include "ui/search/TSearchFrame.h"
#include "ui/support/RecordingSeams.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

struct NoViews final : ViewSwitcher {
  void ShowView(int) override {}
};

std::vector<std::string> filesIn(const std::string& dir) {
  std::vector<std::string> out;
  for (const QString& n : QDir(QString::fromStdString(dir)).entryList(QDir::Files | QDir::Hidden))
    out.push_back(n.toStdString());
  return out;
}

struct Fixture {
  explicit Fixture(const char* languageName = "English")
      : language(LanguagesDir(), languageName), skin(package) {
    options.setFactoryValues();
    QDir().mkpath(QString::fromStdString(out));
    odd = app.file("Archives/odd.qel");
    TSCCDInfo h;
    h.CDLabel = "ODD";
    h.CDSize = 8LL << 30;
    h.BaseDir = "/media/u/ODD/";
    writeCatalog(odd, oddTree(2500, 4), h);
    media = app.file("Archives/media.qel");
    h.CDLabel = "MEDIA";
    h.CDSize = 0;
    writeCatalog(media,
                 dir("", {dir("Photos", {file("a.jpg", 3'000'000), file("b.png", 1'500'000),
                                         dir("Raw", {file("c.cr2", 9'000'000)})}),
                          dir("Music", {file("song.mp3", 4'000'000), file("live.flac", 7'000'000)}),
                          dir("Films", {file("film.mkv", 40'000'000)}),
                          dir("Docs", {file("paper.pdf", 800'000), file("notes.txt", 20'000)}),
                          file("backup.tar.gz", 12'000'000), file("tool.bin", 2'000'000)}),
                 h);
    context.eventSlice = std::chrono::milliseconds(0);
    catalogs.setScanRunner(std::make_unique<DesktopScanRunner>(context, icons, ArchivesDir()));
  }
  static UiAppFolder& folder() {
    static UiAppFolder f;
    f.useAsAppDir();
    return f;
  }
  TArchiveManFrame& manager() {
    if (!managerView) {
      managerView = std::make_unique<TArchiveManFrame>(context, nullptr);
      WireViews(catalogs, {managerView.get(), nullptr, nullptr, nullptr, nullptr}, views);
      managerView->RefreshArchives();
    }
    return *managerView;
  }
  TArchiveExplorerFrame& explorer() {
    if (!explorerView) {
      explorerView = std::make_unique<TArchiveExplorerFrame>(context, nullptr);
      explorerView->resize(900, 600);
      explorerView->show();
      explorerView->UpdatingArchiveList({{"ODD", odd}, {"MEDIA", media}});
    }
    return *explorerView;
  }
  void selectCatalog(const std::string& path) {
    TArchiveManFrame& m = manager();
    for (int r = 0; r < m.Model()->rowCount(); ++r)
      if (m.Model()->row(r).path.toStdString() == path) m.List()->selectRow(r);
    QCOMPARE(m.SelectedArchive(), path);
  }
  // Lets the explorer's deferred work (the space map) run.
  static void settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }

  UiAppFolder& app = folder();
  std::string out = app.file("out/");
  TSCOptions options;
  TSCInterfacePack package = UiAppFolder::smallPackage();
  LanguageFile language;
  Skin skin;
  ScriptedPump pump;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  NoViews views;
  QtIconProvider icons;
  CatalogFolderService catalogs{dialogs, language, pump};
  ScriptedPicker picker;
  AppContext context{options, package, skin, language, pump, dialogs, shell, views, catalogs, picker};
  std::string odd, media;
  std::unique_ptr<TArchiveManFrame> managerView;
  std::unique_ptr<TArchiveExplorerFrame> explorerView;
};

}  // namespace

class ReportViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    QDir(QString::fromStdString(Fixture::folder().file("out"))).removeRecursively();
  }

  void archiveManagerExportsTheSelectedCatalog() {
    Fixture f;
    f.selectCatalog(f.odd);
    f.picker.saveAnswer = f.out + "odd";
    f.picker.filter = 1;  // JSON Lines: the extension is added
    f.managerView->findChild<QAction*>("miExportArchive")->trigger();
    QCOMPARE(f.picker.asked.size(), std::size_t{1});
    QVERIFY(f.picker.asked[0].find("|" + QDir::homePath().toStdString() + "/ODD.csv") != std::string::npos);
    QCOMPARE(f.picker.offered.size(), std::size_t{3});
    QCOMPARE(filesIn(f.out), std::vector<std::string>{"odd.jsonl"});
    std::istringstream in(readBytes(f.out + "odd.jsonl"));
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line); ++lines)
      QCOMPARE(nlohmann::json::parse(line)["label"].get<std::string>(), std::string("ODD"));
    CatalogReader reader(f.odd);
    QCOMPARE(lines, std::size_t(reader.header().TotalFiles + reader.header().TotalDirectories));
    // It ends with a word: how many entries went into which file.
    QCOMPARE(f.dialogs.messages.size(), std::size_t{1});
    QCOMPARE(f.dialogs.messages[0].kind, MessageKind::Information);
    QCOMPARE(f.dialogs.messages[0].text,
             f.language.format("U008", {FormatArg(static_cast<std::int64_t>(lines)), FormatArg(f.out + "odd.jsonl")}));
  }

  void cancelledExportLeavesTheTargetAsItWas() {
    Fixture f;
    f.selectCatalog(f.odd);
    f.picker.saveAnswer = f.out + "kept.html";
    writeBytes(f.picker.saveAnswer, "earlier report");
    int cancels = 0;
    f.pump.onEvents = [&](int) {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->objectName() == "ExportProgress") {
          p->cancel();
          ++cancels;
        }
    };
    f.managerView->miExportArchiveClick();
    QVERIFY(cancels > 0);
    QCOMPARE(readBytes(f.picker.saveAnswer), std::string("earlier report"));
    QCOMPARE(filesIn(f.out), std::vector<std::string>{"kept.html"});
    QVERIFY(f.dialogs.messages.empty());
  }

  void failedExportIsReportedAndLeavesNothing() {
    Fixture f;
    f.selectCatalog(f.media);
    f.picker.saveAnswer = f.out + "missing/folder/x.csv";
    f.managerView->miExportArchiveClick();
    QCOMPARE(f.dialogs.messages.size(), std::size_t{1});
    QCOMPARE(f.dialogs.messages[0].kind, MessageKind::Error);
    QVERIFY(f.dialogs.messages[0].text.find(f.picker.saveAnswer) != std::string::npos);
    QVERIFY(filesIn(f.out).empty());
    // A cancelled save dialog does nothing at all.
    f.picker.saveAnswer.clear();
    f.managerView->miExportArchiveClick();
    QCOMPARE(f.dialogs.messages.size(), std::size_t{1});
  }

  void explorerFolderMenuExportsOneFolder() {
    Fixture f;
    TArchiveExplorerFrame& e = f.explorer();
    e.model().OpenArchive(f.media);
    const TreeNode* photos = e.model().FindTreeNodeByPath("MEDIA\\Photos");
    QVERIFY(photos);
    f.picker.saveAnswer = f.out + "photos.CSV";  // the extension decides, in any case
    f.picker.filter = 2;
    e.miExportFolderClick(photos);
    const std::string csv = readBytes(f.out + "photos.CSV");
    QCOMPARE(csv.substr(0, csv.find('\r')), std::string(CsvExportWriter::kHeader));
    QVERIFY(csv.find("file,a.jpg,/Photos,3000000,") != std::string::npos);
    QVERIFY(csv.find("file,c.cr2,/Photos/Raw,9000000,") != std::string::npos);
    QVERIFY(csv.find("song.mp3") == std::string::npos);
    QVERIFY(e.findChild<QMenu*>("pmFolder")->findChild<QAction*>("miExportFolder"));
  }

  void searchResultsExportEveryHitShown() {
    Fixture f;
    TSearchFrame search(f.context, nullptr);
    search.engine().setEventSlice(std::chrono::milliseconds(0));
    search.UpdatingArchiveList({{"ODD", f.odd}, {"MEDIA", f.media}});
    search.findChild<QLineEdit*>("eMask")->setText("*.mp3;*.mkv");
    search.findChild<QToolButton*>("sbSearch")->click();
    // The last hits of a run join the list with the next round of events.
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    const int hits = search.results().rowCount();
    QVERIFY(hits >= 2);
    f.picker.saveAnswer = f.out + "hits.csv";
    search.findChild<QAction*>("miExportResults")->trigger();
    QCOMPARE(f.picker.asked.size(), std::size_t{1});
    const std::string csv = readBytes(f.out + "hits.csv");
    // Rows end with CR LF outside quotes (folder names may hold line breaks).
    int rows = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
      if (csv[i] == '"') quoted = !quoted;
      if (!quoted && csv.compare(i, 2, "\r\n") == 0) ++rows;
    }
    QCOMPARE(rows, hits + 1);  // the header, then one row per hit
    QVERIFY(csv.find("file,film.mkv,/Films,40000000,") != std::string::npos);
  }

  void statisticsAgreeWithTheCatalogs() {
    Fixture f;
    f.selectCatalog(f.media);
    f.managerView->miStatisticsClick();
    StatisticsDialog* s = f.managerView->Statistics();
    QVERIFY(s && s->isVisible());
    QCOMPARE(s->catalogChoice()->currentText(), QString("MEDIA"));
    QtFileKindClassifier mime;
    FileKinds kinds(mime);
    CatalogStatistics one, both;
    {
      CatalogReader a(f.media), b(f.media), c(f.odd);
      one.addCatalog(a, kinds);
      both.addCatalog(b, kinds);
      both.addCatalog(c, kinds);
    }
    QCOMPARE(s->shown().files, one.files);
    QCOMPARE(s->shown().bytes, one.bytes);
    QCOMPARE(s->shown().kind(FileKind::Video).bytes, std::int64_t{40'000'000});
    auto* pie = qobject_cast<QPieSeries*>(s->kindChart()->chart()->series().value(0));
    QVERIFY(pie);
    int kindsWithBytes = 0;
    for (FileKind k : kAllFileKinds) kindsWithBytes += one.kind(k).bytes > 0;
    QCOMPARE(pie->count(), kindsWithBytes);
    auto* bars = qobject_cast<QHorizontalBarSeries*>(s->extensionChart()->chart()->series().value(0));
    QVERIFY(bars);
    QCOMPARE(bars->barSets().value(0)->count(), static_cast<int>(one.topExtensions().size()));
    // All catalogs: the sum of both.
    s->catalogChoice()->setCurrentIndex(0);
    emit s->catalogChoice()->activated(0);
    QCOMPARE(s->shown().catalogs, std::int64_t{2});
    QCOMPARE(s->shown().files, both.files);
    QCOMPARE(s->shown().bytes, both.bytes);
    QCOMPARE(s->shown().largestFiles.front().bytes, both.largestFiles.front().bytes);
    // Across catalogs each size says what it covers: MEDIA's volume tells no capacity.
    QStringList figures;
    for (QLabel* l : s->findChildren<QLabel*>()) figures << l->text();
    QVERIFY2(figures.contains("8.00 GB on 1 volume(s); 1 more of unknown capacity"),
             qPrintable(figures.join('|')));
    QVERIFY2(figures.contains(QString("%1 (%2 on these volumes)")
                                  .arg(QLocale().toString(both.fill() * 100.0, 'f', 1) + " %",
                                       qtText(FormatSizeTwoDecimals(both.filledBytes())))),
             qPrintable(figures.join('|')));
  }

  // A catalog of a system folder: gigabytes on the axis, versioned libraries, sizes of
  // every magnitude in one column.
  void statisticsReadCleanly() {
    Fixture f;
    const std::string path = f.out + "lib.qel";
    TSCCDInfo h;
    h.CDLabel = "LIB";
    writeCatalog(path,
                 dir("", {file("disc.iso", 1'950'000'000), file("libfoo.so.13", 900'000'000),
                          file("libfoo.so.13.0.2", 800'000'000), file("libbar.so.9", 120'000),
                          file("python3.11", 5'000'000), file("notes.txt", 512)}),
                 h);
    StatisticsDialog s(f.context, nullptr);
    s.showCatalogs({{"LIB", path}}, path);
    QCOMPARE(s.shown().files, std::int64_t{6});

    // Versions are no extensions: the libraries count as .so.
    std::vector<std::string> extensions;
    for (const ExtensionCount& e : s.shown().topExtensions()) extensions.push_back(e.extension);
    QCOMPARE(extensions, (std::vector<std::string>{"iso", "so", "", "txt"}));

    // No two labels of the value axis read alike.
    QValueAxis* values = nullptr;
    for (QAbstractAxis* axis : s.extensionChart()->chart()->axes(Qt::Horizontal))
      if (auto* v = qobject_cast<QValueAxis*>(axis)) values = v;
    QVERIFY(values);
    QCOMPARE(values->titleText(), QString("GB"));
    QStringList labels;
    const int ticks = values->tickCount();
    for (int i = 0; i < ticks; ++i) {
      const double at = values->min() + (values->max() - values->min()) * i / (ticks - 1);
      labels << QString::asprintf(values->labelFormat().toLatin1().constData(), at);
    }
    QCOMPARE(QSet<QString>(labels.begin(), labels.end()).size(), ticks);

    // Every size of a column has the same number of decimals.
    const QRegularExpression sized("^(\\d+\\.\\d\\d [KMGT]B|\\d+ B)$");
    const QList<QTreeWidget*> lists = s.findChildren<QTreeWidget*>();
    QVERIFY(lists.size() >= 3);
    int checked = 0;
    for (QTreeWidget* list : lists)
      for (int r = 0; r < list->topLevelItemCount(); ++r)
        for (int c = 0; c < list->columnCount(); ++c) {
          const QString text = list->topLevelItem(r)->text(c);
          if (text.isEmpty() || !text.front().isDigit() || !text.endsWith("B")) continue;
          QVERIFY2(sized.match(text).hasMatch(), qPrintable(text));
          ++checked;
        }
    QVERIFY(checked >= 6);
  }

  void spaceMapZoomsFollowsHistoryAndSelectsFiles() {
    Fixture f;
    TArchiveExplorerFrame& e = f.explorer();
    e.model().OpenArchive(f.media);
    e.findChild<QAction*>("miSpaceMap")->trigger();
    Fixture::settle();
    SpaceMapView* map = e.spaceMap();
    QVERIFY(map->isVisible());
    QVERIFY(map->tree());
    QVERIFY(!map->cells().empty());
    // The largest child of the root comes first: the Films folder.
    const SpaceCell& films = map->cells().front();
    QCOMPARE(map->tree()->name(films.node), std::string_view("Films"));
    QVERIFY(map->hintAt(QPoint(int(films.rect.x + 4), int(films.rect.y + 4))).contains("/Films"));
    QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(int(films.rect.x + 3), int(films.rect.y + 3)));
    Fixture::settle();
    QCOMPARE(e.model().Address(), std::string("MEDIA\\Films"));
    QCOMPARE(map->tree()->name(map->cells().front().node), std::string_view("film.mkv"));
    e.model().GoBack();
    Fixture::settle();
    QCOMPARE(map->tree()->name(map->cells().front().node), std::string_view("Films"));
    // Double click on a file: back to the list with the file selected.
    const auto file = std::find_if(map->cells().begin(), map->cells().end(), [&](const SpaceCell& c) {
      return !c.isAggregate() && map->tree()->name(c.node) == "live.flac";
    });
    QVERIFY(file != map->cells().end());
    const QPoint at(int(file->rect.x + file->rect.w / 2), int(file->rect.y + file->rect.h / 2));
    QTest::mouseDClick(map, Qt::LeftButton, {}, at);
    Fixture::settle();
    QCOMPARE(e.listStyle(), TArchiveExplorerFrame::kLargeIcons);
    QCOMPARE(e.model().Address(), std::string("MEDIA\\Music"));
    QVERIFY(e.selectedEntry());
    QCOMPARE(e.selectedEntry()->record.FileName, std::string("live.flac"));
    // Closing the catalog empties the map.
    e.setListStyle(TArchiveExplorerFrame::kSpaceMap);
    e.model().CloseArchive();
    Fixture::settle();
    QVERIFY(!map->tree());
  }

  void spaceMapOfAManyEntriesFolderStaysSmall() {
    Fixture f;
    TArchiveExplorerFrame& e = f.explorer();
    e.model().OpenArchive(f.odd);
    e.setListStyle(TArchiveExplorerFrame::kSpaceMap);
    Fixture::settle();
    SpaceMapView* map = e.spaceMap();
    QVERIFY(map->tree());
    QCOMPARE(map->tree()->size(), std::size_t(1 + 2500 + CatalogReader(f.odd).header().TotalDirectories));
    QVERIFY(map->cells().size() < 2500);
    QVERIFY(std::any_of(map->cells().begin(), map->cells().end(), [](auto& c) { return c.isAggregate(); }));
  }

  // Pictures for a look by eye, in both languages, at the default size and maximised.
  void screenshots() {
    const QString shots = qEnvironmentVariable("KOLVEX_SHOTS_DIR");
    if (shots.isEmpty()) QSKIP("KOLVEX_SHOTS_DIR not set");
    for (const char* lang : {"English", "German"}) {
      Fixture f(lang);
      const QString packagePath = qEnvironmentVariable("KOLVEX_SHOT_PACKAGE");
      if (!packagePath.isEmpty()) {
        InterfacePackFile::load(f.package, packagePath.toStdString());
        f.skin.load(f.package);
      }
      const QString tag = QString::fromLatin1(lang).toLower();
      f.managerView = std::make_unique<TArchiveManFrame>(f.context, nullptr);
      WireViews(f.catalogs, {f.managerView.get(), nullptr, nullptr, nullptr, nullptr}, f.views);
      f.managerView->RefreshArchives();
      f.managerView->miStatisticsClick();
      StatisticsDialog* s = f.managerView->Statistics();
      QTest::qWait(100);
      s->grab().save(shots + "/statistics-all-" + tag + ".png");
      s->showMaximized();
      QTest::qWait(300);
      s->grab().save(shots + "/statistics-all-" + tag + "-max.png");
      s->showNormal();
      f.selectCatalog(f.media);
      f.managerView->miStatisticsClick();
      QTest::qWait(100);
      s->grab().save(shots + "/statistics-media-" + tag + ".png");
      s->close();

      TArchiveExplorerFrame& e = f.explorer();
      e.resize(716, 460);
      e.model().OpenArchive(f.odd);
      e.setListStyle(TArchiveExplorerFrame::kSpaceMap);
      Fixture::settle();
      QTest::qWait(100);
      e.grab().save(shots + "/spacemap-" + tag + ".png");
      e.resize(1600, 1000);
      Fixture::settle();
      QTest::qWait(100);
      e.grab().save(shots + "/spacemap-" + tag + "-max.png");
      e.model().OpenArchive(f.media);
      Fixture::settle();
      QTest::qWait(100);
      e.grab().save(shots + "/spacemap-media-" + tag + "-max.png");
    }
  }
};

QTEST_MAIN(ReportViewsTest)
#include "ReportViewsTest.moc"
