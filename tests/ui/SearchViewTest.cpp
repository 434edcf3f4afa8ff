// The search view: a run over written catalogs, the controls of its three states, the
// catalog ticks, sorting, the row actions and a long run that keeps the window alive.
#include <QAction>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QPushButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QSpinBox>
#include <QToolButton>
#include <unistd.h>
#include <chrono>
#include <memory>
#include <random>

#include "core/catalog/AppDir.h"
#include "core/persist/CatalogWriter.h"
#include "support/ScriptedSeams.h"
#include "ui/shell/ViewRegistry.h"
#include "ui/common/AppContext.h"
#include "ui/common/Skin.h"
#include "ui/search/DayCountDate.h"
#include "ui/search/HitOrder.h"
#include "ui/search/SearchResultModel.h"
#include "ui/search/TSearchFrame.h"
#include "ui/common/CatalogFolderService.h"
#include "ui/shell/ViewWiring.h"
#include "ui/support/RecordingSeams.h"
#include "ui/support/RecordingViews.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

struct RecordingViews final : ViewSwitcher {
  void ShowView(int index) override { shown.push_back(index); }
  std::vector<int> shown;
};

struct RecordingClipboard final : Clipboard {
  void setText(const std::string& t) override { texts.push_back(t); }
  std::vector<std::string> texts;
};

// Runs the test's function whenever the run lets events in, and real Qt events too.
struct Pump final : EventPump {
  void processEvents() override {
    ++calls;
    if (onEvents) onEvents(calls);
    QCoreApplication::processEvents();
  }
  void waitForEvents(std::chrono::milliseconds) override { processEvents(); }
  int calls = 0;
  std::function<void(int)> onEvents;
};

TSCFileObjectInfo record(const std::string& name, const std::string& path, std::int64_t size,
                         bool dir = false) {
  TSCFileObjectInfo r;
  r.FileName = name;
  r.FilePath = path;
  r.FileSize = dir ? 0 : size;
  r.Attribute = dir ? faDirectory : faArchive;
  r.CreateDateTime = dir ? 0.0 : 40000.5;
  return r;
}

// A catalog of a folder `base` with `files` files named <prefix>N.txt in its root and a
// sub-folder "sub.d" holding b.doc.
void writeCatalog(const std::string& path, const std::string& label, const std::string& base,
                  const std::string& prefix, int files) {
  CatalogWriter w(path);
  w.enterDirectory();
  for (int i = 0; i < files; ++i) {
    TSCFileObjectInfo f = record(prefix + std::to_string(i) + ".txt", "X:\\", 100 + i);
    w.addFile(f);
  }
  w.enterDirectory();
  TSCFileObjectInfo b = record("b.doc", "X:\\sub.d\\", 5000);
  w.addFile(b);
  TSCFileObjectInfo sub = record("sub.d", "X:\\", 0, true);
  w.leaveDirectory(sub);
  TSCFileObjectInfo root = record("", "X:\\", 0, true);
  w.leaveDirectory(root);
  TSCCDInfo h;
  h.CDLabel = label;
  h.BaseDir = base;
  h.TotalFiles = files + 1;
  h.TotalDirectories = 1;
  h.CreateDateTime = 41000.0;
  w.commit(h);
}

struct Fixture {
  Fixture() : language(folder.path() + "Languages/", "English") {
    folder.useAsAppDir();
    options.setFactoryValues();
    context = std::make_unique<AppContext>(AppContext{options, package, skin, language, pump,
                                                      dialogs, shell, views, catalogs, picker});
    explorer = std::make_unique<RecordingView>(*context);
    frame = std::make_unique<TSearchFrame>(*context, nullptr);
    WireViews(catalogs, {nullptr, explorer.get(), frame.get(), nullptr, nullptr}, views);
    frame->resize(900, 600);
    frame->show();
    frame->engine().setEventSlice(std::chrono::milliseconds(0));
    frame->setClipboard(&clipboard);
  }
  template <class T>
  T* child(const char* name) {
    return frame->findChild<T*>(name);
  }
  QToolButton* button(const char* name) { return child<QToolButton>(name); }
  void twoCatalogs(int files = 2) {
    writeCatalog(folder.file("one.qel"), "One", folder.path() + "disc1/", "a", files);
    writeCatalog(folder.file("two.qel"), "Two", folder.path() + "disc2/", "c", files);
    frame->UpdatingArchiveList({{"One", folder.file("one.qel")}, {"Two", folder.file("two.qel")}});
  }
  std::vector<std::string> names() {
    std::vector<std::string> out;
    for (int i = 0; i < frame->results().rowCount(); ++i) out.push_back(frame->results().hitAt(i)->Name);
    return out;
  }

  UiAppFolder folder;
  TSCOptions options;
  TSCInterfacePack package;
  Skin skin;
  LanguageFile language;
  Pump pump;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  ScriptedPicker picker;
  RecordingViews views;
  CatalogFolderService catalogs{dialogs, language, pump};
  RecordingClipboard clipboard;
  std::unique_ptr<AppContext> context;
  std::unique_ptr<RecordingView> explorer;
  std::unique_ptr<TSearchFrame> frame;
};

}  // namespace

class SearchViewTest : public QObject {
  Q_OBJECT

 private slots:
  void runFillsResultsInFileOrder() {
    Fixture f;
    f.twoCatalogs();
    f.child<QLineEdit>("eMask")->setText("*");
    f.button("sbSearch")->click();
    QCOMPARE(f.dialogs.messages.size(), std::size_t{0});
    // The scanned folders' own records match "*" but are no hits: the catalogs stand for them.
    const std::vector<std::string> expected = {"One", "a0.txt", "a1.txt", "b.doc", "sub.d",
                                               "Two", "c0.txt", "c1.txt", "b.doc", "sub.d"};
    QCOMPARE(f.names(), expected);
    SearchResultModel& m = f.frame->results();
    // A catalog row shows its date and 0; a folder row "--" and the folder text.
    QCOMPARE(m.data(m.index(0, 4), Qt::DisplayRole).toString(), QString("0"));
    QCOMPARE(m.data(m.index(0, 2), Qt::DisplayRole).toString(), QString("Archive"));
    QCOMPARE(m.data(m.index(4, 3), Qt::DisplayRole).toString(), QString("--"));
    QCOMPARE(m.data(m.index(4, 2), Qt::DisplayRole).toString(), QString("Folder"));
    QCOMPARE(m.data(m.index(3, 4), Qt::DisplayRole).toString(), QString("5000"));
    QVERIFY(!m.data(m.index(1, 2), Qt::DisplayRole).toString().isEmpty());
    // The information bar gives a size to files only: a folder and a catalog have none.
    const std::pair<int, QString> sizes[] = {{3, "Size: 4.88 KB"}, {4, ""}, {0, ""}};
    for (const auto& [row, size] : sizes) {
      f.frame->selectRow(row);
      QCOMPARE(f.child<QLabel>("lSize")->text(), size);
      QCOMPARE(f.child<QLabel>("lSize")->isHidden(), size.isEmpty());  // no gap in the bar
    }
    QCOMPARE(f.child<QLabel>("sbSearchStatus")->text(), QString("10 item(s)"));
    // The count of a finished run follows a change of language.
    f.language.setLanguageName("German");
    f.frame->ApplyLanguage();
    QCOMPARE(f.child<QLabel>("sbSearchStatus")->text(), QString("10 Objekt(e)"));
  }

  void pauseResumeStopFollowTheStates() {
    Fixture f;
    f.twoCatalogs(50);
    f.child<QLineEdit>("eMask")->setText("*");
    QWidget* box = f.child<QWidget>("sbSearchOptions");
    std::vector<std::string> seen;
    f.pump.onEvents = [&](int call) {
      auto* search = f.button("sbSearch");
      auto state = [&] {
        return std::string(box->isEnabled() ? "B" : "b") + (search->isEnabled() ? "S" : "s") +
               (f.button("sbPause")->isEnabled() ? "P" : "p") +
               (f.button("sbStop")->isEnabled() ? "T" : "t") +
               (f.button("sbClearResult")->isEnabled() ? "C" : "c") +
               (f.child<QLabel>("pPaused")->isVisible() ? "!" : "") + ":" +
               search->text().toStdString();
      };
      if (call == 3) {
        seen.push_back(state());
        f.button("sbPause")->click();
        seen.push_back(state());
      } else if (call == 5) {
        f.button("sbSearch")->click();  // resume
        seen.push_back(state());
      } else if (call == 7) {
        f.button("sbStop")->click();
      }
    };
    f.button("sbSearch")->click();
    QCOMPARE(seen.size(), std::size_t{3});
    QCOMPARE(seen[0], std::string("bsPTc:Search"));
    QCOMPARE(seen[1], std::string("bSpTC!:Resume"));
    QCOMPARE(seen[2], std::string("bsPTc:Search"));
    // Stopped early: idle again, with fewer rows than the catalogs hold.
    QVERIFY(box->isEnabled());
    QVERIFY(f.button("sbSearch")->isEnabled());
    QVERIFY(!f.button("sbStop")->isEnabled());
    QVERIFY(f.frame->results().rowCount() < 2 * 54);
  }

  void catalogLabelsWithALongCommonStartStayApart() {
    Fixture f;
    const std::string a = "1045491718_tmp_walk_odd", b = "1045491718_usr_share_doc";
    f.frame->UpdatingArchiveList({{a, f.folder.file("one.qel")}, {b, f.folder.file("two.qel")}});
    auto* list = f.child<QListView>("clbArchives");
    // Narrower than either label: what is shown of them still differs.
    const int width = list->fontMetrics().horizontalAdvance(QString::fromStdString(a)) / 2;
    auto shown = [&](const std::string& label) {
      return list->fontMetrics().elidedText(QString::fromStdString(label), list->textElideMode(), width);
    };
    QVERIFY(shown(a) != shown(b));
    const QString tip = list->model()->data(list->model()->index(1, 0), Qt::ToolTipRole).toString();
    QVERIFY(tip.contains(QString::fromStdString(b)) && tip.contains(QString::fromStdString(f.folder.file("two.qel"))));
  }

  void searchOnlyTicksOneCatalogAndSortsByColumn() {
    Fixture f;
    f.twoCatalogs();
    f.frame->SearchOnly(f.folder.file("two.qel"));
    auto* list = f.child<QListView>("clbArchives");
    QCOMPARE(list->model()->data(list->model()->index(0, 0), Qt::CheckStateRole).toInt(),
             int(Qt::Unchecked));
    QCOMPARE(list->model()->data(list->model()->index(1, 0), Qt::CheckStateRole).toInt(),
             int(Qt::Checked));
    f.child<QLineEdit>("eMask")->setText("*.*");
    f.button("sbSearch")->click();
    QCOMPARE(f.names(), (std::vector<std::string>{"c0.txt", "c1.txt", "b.doc", "sub.d"}));
    f.frame->lvArchiveColumnClick(4);  // size ascending
    QCOMPARE(f.names(), (std::vector<std::string>{"sub.d", "c0.txt", "c1.txt", "b.doc"}));
    f.frame->lvArchiveColumnClick(0);  // name ascending, then descending
    QCOMPARE(f.names(), (std::vector<std::string>{"b.doc", "c0.txt", "c1.txt", "sub.d"}));
    f.frame->lvArchiveColumnClick(0);
    QCOMPARE(f.names(), (std::vector<std::string>{"sub.d", "c1.txt", "c0.txt", "b.doc"}));
    QCOMPARE(f.frame->results().sortKey(), kHitSortNameDesc);
    // A new run lists in file order again.
    f.button("sbSearch")->click();
    QCOMPARE(f.names(), (std::vector<std::string>{"c0.txt", "c1.txt", "b.doc", "sub.d"}));
  }

  void rowActionsReachTheSeams() {
    Fixture f;
    f.twoCatalogs();
    QDir().mkpath(QString::fromStdString(f.folder.path() + "disc1/sub.d"));
    writeBytes(f.folder.path() + "disc1/sub.d/b.doc", "x");
    f.frame->SearchOnly(f.folder.file("one.qel"));
    f.child<QLineEdit>("eMask")->setText("b.doc");
    f.button("sbSearch")->click();
    QCOMPARE(f.names(), (std::vector<std::string>{"b.doc"}));
    f.frame->selectRow(0);
    f.frame->miBrowseArchiveClick();
    QCOMPARE(f.explorer->browsed, std::vector<std::string>{f.folder.file("one.qel")});
    QCOMPARE(f.explorer->browsedFolders, std::vector<std::string>{"X:\\sub.d\\"});
    QCOMPARE(f.explorer->selected, std::vector<std::string>{"b.doc"});
    QCOMPARE(f.views.shown, std::vector<int>{viewIndexOf("TArchiveExplorerFrame")});
    f.frame->lvArchiveDblClick();  // Execute
    f.frame->miShellAction(90202);
    QCOMPARE(f.shell.opened, std::vector<std::string>{f.folder.path() + "disc1/sub.d/b.doc"});
    QCOMPARE(f.shell.explored, std::vector<std::string>{f.folder.path() + "disc1/sub.d"});
    // The copies are where the hit was scanned, not the catalog's "X:\\" form.
    f.frame->findChild<QAction*>("miCopyPath")->trigger();
    f.frame->findChild<QAction*>("miCopyPathName")->trigger();
    QCOMPARE(f.clipboard.texts, (std::vector<std::string>{f.folder.path() + "disc1/sub.d/",
                                                          f.folder.path() + "disc1/sub.d/b.doc"}));
    // No selection: the actions are off and do nothing.
    f.frame->selectRow(-1);
    QVERIFY(!f.frame->findChild<QAction*>("miExecuteItem")->isEnabled());
    QCOMPARE(f.child<QLabel>("lFileName")->text(), QString("(none)"));
  }

  void sortedOrderIsTheStableOrderOfTheComparison() {
    // Names that differ in case only, prefixes, UTF-8 and high bytes, several dots, no dot;
    // few labels, sizes and dates, so that many rows are equal under a key.
    const std::vector<std::string> bits = {"a", "A", "b", "Z", ".", ".txt", ".TXT", "\xc3\xa9",
                                           "\xff", "_", "0", "z"};
    std::mt19937 rng(7);
    std::vector<TTSearchResultItem> hits(400);
    for (TTSearchResultItem& h : hits) {
      for (int k = static_cast<int>(rng() % 4); k >= 0; --k) h.Name += bits[rng() % bits.size()];
      h.CDLabel = bits[rng() % 4] + "disc";
      h.Size = static_cast<std::int64_t>(rng() % 5) - 1;
      h.DateTime = static_cast<double>(rng() % 6) / 4.0;
    }
    std::vector<const TTSearchResultItem*> rows;
    for (const TTSearchResultItem& h : hits) rows.push_back(&h);
    for (int key = -1; key <= 15; ++key) {
      std::vector<int> expected(hits.size());
      for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<int>(i);
      std::stable_sort(expected.begin(), expected.end(),
                       [&](int a, int b) { return CompareHits(hits[a], hits[b], key) < 0; });
      QVERIFY2(SortedOrder(rows, key) == expected, std::to_string(key).c_str());
    }
  }

  void troubleIsToldInWordsAndNothingOpens() {
    Fixture f;
    f.twoCatalogs(20);
    f.child<QLineEdit>("eMask")->setText("*.txt");
    // The second catalog is deleted while the first one is read: the run goes on and says so.
    const std::string two = f.folder.file("two.qel");
    f.pump.onEvents = [&](int) { ::unlink(two.c_str()); };
    f.button("sbSearch")->click();
    f.pump.onEvents = nullptr;
    QCOMPARE(f.frame->results().rowCount(), 20);
    QCOMPARE(f.child<QLabel>("sbSearchStatus")->text(), QString("20 item(s)"));
    QCOMPARE(f.dialogs.messages.size(), std::size_t{1});
    QCOMPARE(f.dialogs.messages[0].kind, MessageKind::Error);
    QVERIFY(f.dialogs.messages[0].text.find("went on with the others") != std::string::npos);
    QVERIFY(f.dialogs.messages[0].text.ends_with("\nTwo: Cannot open file " + two));
    QVERIFY(f.button("sbSearch")->isEnabled());

    // Browse Archive on a hit of a catalog deleted since: said, and nothing opens.
    f.frame->selectRow(0);
    ::unlink(f.folder.file("one.qel").c_str());
    f.frame->miBrowseArchiveClick();
    QCOMPARE(f.dialogs.messages.size(), std::size_t{2});
    QCOMPARE(f.dialogs.messages[1].text, "The archive " + f.folder.file("one.qel") +
                                             " no longer exists.\nIt may have been deleted since "
                                             "the search; search again to update the results.");
    QVERIFY(f.explorer->browsed.empty());
    QVERIFY(f.views.shown.empty());

    // A size range that ends before it starts: said when Search is pressed, the list kept.
    f.child<QCheckBox>("cbEnableSize")->setChecked(true);
    f.child<QSpinBox>("seBetween")->setValue(5);
    f.child<QSpinBox>("seAnd")->setValue(4);
    f.button("sbSearch")->click();
    QCOMPARE(f.dialogs.messages.size(), std::size_t{3});
    QVERIFY(f.dialogs.messages[2].text.starts_with("The size range ends before it starts"));
    QCOMPARE(f.frame->results().rowCount(), 20);
    f.child<QSpinBox>("seAnd")->setValue(5);
    f.child<QCheckBox>("cbEnableDate")->setChecked(true);
    f.child<QDateTimeEdit>("dtpFrom")->setDateTime(QDateTime(QDate(2024, 5, 2), QTime(0, 0)));
    f.child<QDateTimeEdit>("dtpTo")->setDateTime(QDateTime(QDate(2024, 5, 1), QTime(23, 59)));
    f.button("sbSearch")->click();
    QCOMPARE(f.dialogs.messages.size(), std::size_t{4});
    QVERIFY(f.dialogs.messages[3].text.starts_with("The date range ends before it starts"));
    QCOMPARE(f.frame->results().rowCount(), 20);
  }

  void enterInTheMaskSearchesAndHitsShowTheirFolder() {
    Fixture f;
    f.twoCatalogs();
    auto* mask = f.child<QLineEdit>("eMask");
    mask->setText("*.doc");
    QTest::keyClick(mask, Qt::Key_Return);
    QCOMPARE(f.names(), (std::vector<std::string>{"b.doc", "b.doc"}));
    // The folder column tells two hits of one name apart: where each lives as scanned.
    const QModelIndex folder = f.frame->results().index(0, SearchResultModel::kFolderColumn);
    QCOMPARE(folder.data().toString().toStdString(), f.folder.path() + "disc1/sub.d/");
    QCOMPARE(f.frame->results().headerData(SearchResultModel::kFolderColumn, Qt::Horizontal,
                                           Qt::DisplayRole).toString(),
             QString("Folder"));
  }

  void datesSwitchedOnFindFilesUpToNow() {
    Fixture f;
    f.twoCatalogs();
    const double from = f.frame->engine().criteria().DateFrom;
    f.child<QCheckBox>("cbEnableDate")->setChecked(true);
    // Not one instant, which nothing matches: from the start date up to today.
    QCOMPARE(f.frame->engine().criteria().DateFrom, from);
    QCOMPARE(DateTimeOfDayCount(f.frame->engine().criteria().DateTo).date(), QDate::currentDate());
    QCOMPARE(f.child<QDateTimeEdit>("dtpTo")->date(), QDate::currentDate());
    f.child<QLineEdit>("eMask")->setText("*.txt");
    f.button("sbSearch")->click();
    QCOMPARE(f.names(), (std::vector<std::string>{"a0.txt", "a1.txt", "c0.txt", "c1.txt"}));
    // A range the user chose is kept when the dates are switched off and on.
    f.child<QDateTimeEdit>("dtpTo")->setDate(QDate(2010, 1, 1));
    f.child<QCheckBox>("cbEnableDate")->setChecked(false);
    f.child<QCheckBox>("cbEnableDate")->setChecked(true);
    QCOMPARE(f.child<QDateTimeEdit>("dtpTo")->date(), QDate(2010, 1, 1));
  }

  void aDatePickerTakesATypedYear() {
    Fixture f;
    auto* picker = f.child<QDateTimeEdit>("dtpFrom");
    QVERIFY(!picker->displayFormat().contains("ddd"));  // no weekday to contradict the date
    picker->setFocus();
    picker->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(picker, "2024");
    QTest::keyClick(picker, Qt::Key_Return);
    QCOMPARE(picker->date().year(), 2024);
    QCOMPARE(picker->date().month(), 5);  // the rest of the date as it was
    // The criteria keep the picker's time of day (23 May 2003, 22:52:50 at the start).
    const QDateTime from = DateTimeOfDayCount(f.frame->engine().criteria().DateFrom);
    QCOMPARE(from.date(), QDate(2024, 5, 23));
    QCOMPARE(from.time().toString("hh:mm:ss"), QString("22:52:50"));
  }

  void manyHitsKeepTheWindowResponsive() {
    Fixture f;
    writeCatalog(f.folder.file("big.qel"), "Big", f.folder.path() + "big/", "f", 100000);
    f.frame->UpdatingArchiveList({{"Big", f.folder.file("big.qel")}});
    // The run's clock moves on a millisecond each time it is read, so the test counts the
    // records between two rounds of events, the same on a fast or a slow machine and in
    // any build: the clock is read every 16 records, and 20 readings make a slice.
    std::chrono::steady_clock::time_point now{};
    f.frame->engine().setSliceClock([&] { return now += std::chrono::milliseconds(1); });
    f.frame->engine().setEventSlice(std::chrono::milliseconds(20));
    int lastRows = 0, widestGap = 0, behind = 0, unseen = 0;
    auto* icons = f.child<QListView>("lvArchive");
    QVERIFY(icons->isVisible());
    f.pump.onEvents = [&](int) {
      const int rows = f.frame->results().rowCount();
      widestGap = std::max(widestGap, rows - lastRows);
      lastRows = rows;
      // Every hit found so far is in the list whenever the window gets its events.
      if (rows != f.frame->engine().hitCount()) ++behind;
      // ... and the list shows them, not an empty pane until the run ends.
      if (rows > 0) {
        QCoreApplication::processEvents();
        const QModelIndex first = f.frame->results().index(0, 0);
        const QModelIndex last = f.frame->results().index(rows - 1, 0);
        if (icons->indexAt(icons->visualRect(first).center()) != first ||
            !icons->visualRect(last).isValid())
          ++unseen;
      }
    };
    f.child<QLineEdit>("eMask")->setText("*.txt");
    f.button("sbSearch")->click();
    QCOMPARE(f.frame->results().rowCount(), 100000);
    QCOMPARE(behind, 0);
    QCOMPARE(unseen, 0);
    const int perSlice = 20 * SlicedPump::kCheckEvery;
    QVERIFY2(widestGap <= perSlice + SlicedPump::kCheckEvery, qPrintable(QString::number(widestGap)));
    QVERIFY(f.pump.calls >= 100000 / (perSlice + SlicedPump::kCheckEvery));
  }

  // Pictures of the view for a look by eye; only when a folder for them is given.
  void screenshots() {
    const QString dir = qEnvironmentVariable("KOLVEX_SHOTS_DIR");
    if (dir.isEmpty()) QSKIP("KOLVEX_SHOTS_DIR not set");
    Fixture f;
    f.frame->resize(1000, 640);
    f.twoCatalogs(6);
    QTest::qWait(1200);  // the icon lists come with the start-up timer
    f.frame->grab().save(dir + "/search-idle.png");
    f.child<QLineEdit>("eMask")->setText("*");
    f.button("sbSearch")->click();
    f.frame->setListStyle(TSearchFrame::kReportStyle);
    f.frame->selectRow(2);
    QTest::qWait(100);
    f.frame->grab().save(dir + "/search-results.png");
    f.child<QPushButton>("bSize")->click();
    f.child<QCheckBox>("cbEnableSize")->setChecked(true);
    QTest::qWait(100);
    f.frame->grab().save(dir + "/search-popup.png");
    f.child<QWidget>("sbSearchOptions")->setFocus();
    f.pump.calls = 0;
    f.pump.onEvents = [&](int call) {
      if (call == 2) f.button("sbPause")->click();
      if (call == 3) {
        f.frame->grab().save(dir + "/search-paused.png");
        f.button("sbStop")->click();
      }
    };
    f.button("sbSearch")->click();
  }
};

QTEST_MAIN(SearchViewTest)
#include "SearchViewTest.moc"
