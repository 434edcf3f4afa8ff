// The explorer view: opening a catalog, tree and list navigation, the shell actions with
// hostile names, clipboard copies, list styles and sorting, hand-overs.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <memory>

#include "core/app/LanguageFile.h"
#include "core/persist/CatalogWriter.h"
#include "core/persist/TSCOptions.h"
#include "support/ScriptedSeams.h"
#include "ui/shell/ViewRegistry.h"
#include "ui/shell/InterfacePackFile.h"
#include "ui/common/Skin.h"
#include "ui/common/QtText.h"
#include "ui/explorer/TArchiveExplorerFrame.h"
#include "ui/support/RecordingSeams.h"
#include "ui/support/RecordingViews.h"
#include "ui/common/CatalogFolderService.h"
#include "ui/shell/ViewWiring.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

struct Node {
  std::string name;
  bool dir = false;
  std::int64_t size = 0;
  std::vector<Node> entries;
};
Node f(std::string name, std::int64_t size = 1) { return {std::move(name), false, size, {}}; }
Node d(std::string name, std::vector<Node> entries = {}) {
  return {std::move(name), true, 0, std::move(entries)};
}

// Writes the tree as the scanner would (post-order, files dated, folders at 0) and, when
// base is given, creates it there on disk too.
void writeDir(CatalogWriter& w, const Node& dir, const std::string& stored,
              const std::string& real) {
  w.enterDirectory();
  const std::string inner = dir.name.empty() ? stored : stored + dir.name + "\\";
  const std::string innerReal = dir.name.empty() ? real : real + dir.name + "/";
  if (!real.empty()) QDir().mkpath(QFile::decodeName(innerReal.c_str()));
  int files = 0, dirs = 0;
  for (const Node& e : dir.entries) {
    if (e.dir) {
      writeDir(w, e, inner, real.empty() ? real : innerReal);
      ++dirs;
      continue;
    }
    TSCFileObjectInfo r;
    r.FileName = e.name;
    r.FilePath = inner;
    r.Attribute = faArchive;
    r.FileSize = e.size;
    r.CreateDateTime = 45000.5 + files;
    w.addFile(r);
    if (!real.empty()) writeBytes(innerReal + e.name, "x");
    ++files;
  }
  TSCFileObjectInfo r;
  r.FileName = dir.name;
  r.FilePath = stored;
  r.Attribute = faDirectory;
  r.FilesOnlyUM = files;
  r.DirsOnlyUM = dirs;
  w.leaveDirectory(r);
}

void writeCatalog(const std::string& path, const Node& root, const std::string& label,
                  const std::string& base) {
  CatalogWriter w(path);
  writeDir(w, root, "X:\\", base);
  TSCCDInfo header;
  header.CDLabel = label;
  header.BaseDir = base.empty() ? "/nowhere/at/all/" : base;
  header.SystemVersion = kSystemVersion;
  w.commit(header);
}

class Views final : public ViewSwitcher {
 public:
  void ShowView(int index) override { shown.push_back(index); }
  std::vector<int> shown;
};

class Copies final : public Clipboard {
 public:
  void setText(const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

const std::vector<std::string> kHostileNames = {"$(id)", "\"; touch x\"", "--help",
                                                "line\nbreak.txt", "a b 'c'.txt"};

// The real interface package when a screenshot run names one, else the small test one.
TSCInterfacePack packageForTest() {
  TSCInterfacePack pack = UiAppFolder::smallPackage();
  const QByteArray path = qgetenv("KOLVEX_SHOT_PACKAGE");
  if (!path.isEmpty()) InterfacePackFile::load(pack, path.toStdString());
  return pack;
}

struct Fixture {
  Fixture() : language(folder.path() + "Languages/", "English"), skin(package) {
    options.ForeBackMaxItems = 6;
    context = std::make_unique<AppContext>(
        AppContext{options, package, skin, language, pump, dialogs, shell, views, catalogs, picker});
    search = std::make_unique<RecordingView>(*context);
    base = folder.path() + "disc/";
    catalog = folder.file("Archives/DOCS.qel");
    std::vector<Node> root = {
        d("docs", {f("readme.txt", 10), f("B.TXT", 300), f("a2.txt", 20), d("old", {f("x.doc")})}),
        d("Empty"), f("zeta", 5000), f("alpha.txt", 7)};
    for (const std::string& name : kHostileNames) root.push_back(f(name));
    writeCatalog(catalog, d("", root), "DOCS", base);
    view = std::make_unique<TArchiveExplorerFrame>(*context, nullptr);
    WireViews(catalogs, {nullptr, view.get(), search.get(), nullptr, nullptr}, views);
    view->setClipboard(&copies);
    view->resize(900, 600);
    view->show();
    view->UpdatingArchiveList({{"OTHER", folder.file("Archives/none.qel")}, {"DOCS", catalog}});
  }
  template <class T>
  T* child(const char* name) {
    T* c = view->findChild<T*>(name);
    if (!c) qFatal("no child %s", name);
    return c;
  }
  QAction* action(const char* name) { return child<QAction>(name); }
  void open() { emit child<QComboBox>("cbArchives")->activated(1); }
  QString address() { return child<QLabel>("lAddress")->text(); }
  QListView* list() { return child<QListView>("lvArchive"); }
  QAbstractItemModel* listModel() { return list()->model(); }
  int rowNamed(const QString& name) {
    for (int r = 0; r < listModel()->rowCount(); ++r)
      if (listModel()->index(r, 0).data().toString() == name) return r;
    return -1;
  }
  void select(const QString& name) {
    const int row = rowNamed(name);
    QVERIFY2(row >= 0, qPrintable(name));
    view->selectRow(row);
  }
  QStringList column(int c) {
    QStringList texts;
    for (int r = 0; r < listModel()->rowCount(); ++r)
      texts << listModel()->index(r, c).data().toString();
    return texts;
  }
  void doubleClick(const QString& name) {
    const QModelIndex at = listModel()->index(rowNamed(name), 0);
    list()->scrollTo(at);
    const QPoint p = list()->visualRect(at).center();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, p);
  }

  UiAppFolder folder;
  TSCOptions options;
  TSCInterfacePack package = packageForTest();
  LanguageFile language;
  Skin skin;
  ScriptedPump pump;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  ScriptedPicker picker;
  Views views;
  Copies copies;
  CatalogFolderService catalogs{dialogs, language, pump};
  std::unique_ptr<AppContext> context;
  std::unique_ptr<RecordingView> search;
  std::string base, catalog;
  std::unique_ptr<TArchiveExplorerFrame> view;
};

}  // namespace

class ExplorerViewTest : public QObject {
  Q_OBJECT

 private slots:
  void opensCatalogAndNavigatesTreeAndHistory() {
    Fixture fx;
    QVERIFY(!fx.child<QToolButton>("sbClose")->isEnabled());
    fx.open();
    QCOMPARE(fx.address(), QString("DOCS\\"));
    QCOMPARE(fx.child<QLabel>("sbStatus")->text(), QString("2 folder(s), 7 file(s)"));
    QCOMPARE(fx.child<QLabel>("lCDLabel")->text(), QString("DOCS"));
    // Folders first, then names ignoring case.
    QCOMPARE(fx.column(0).mid(0, 4), QStringList({"docs", "Empty", "\"; touch x\"", "$(id)"}));
    QCOMPARE(fx.listModel()->index(0, 2).data().toString(), QString("--"));
    QCOMPARE(fx.listModel()->index(0, 1).data().toString(), QString("Folder"));
    QCOMPARE(fx.child<QLabel>("lFileName")->text(), QString("docs"));  // first row selected
    QVERIFY(!fx.child<QToolButton>("sbUp")->isEnabled());

    auto* tree = fx.child<QTreeView>("tvTree");
    const QModelIndex root = tree->model()->index(0, 0);
    QCOMPARE(root.data().toString(), QString("DOCS"));
    // By name, as people read names.
    QCOMPARE(tree->model()->rowCount(root), 2);
    const QModelIndex docs = tree->model()->index(0, 0, root);
    QCOMPARE(docs.data().toString(), QString("docs"));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(docs).center());
    QCOMPARE(fx.address(), QString("DOCS\\docs"));
    QCOMPARE(tree->currentIndex(), docs);
    QCOMPARE(fx.column(0), QStringList({"old", "a2.txt", "B.TXT", "readme.txt"}));

    // Clicking the folder shown again re-lists nothing and keeps the history.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(docs).center());
    QVERIFY(!fx.child<QToolButton>("sbFore")->isEnabled());
    fx.child<QToolButton>("sbBack")->click();
    QCOMPARE(fx.address(), QString("DOCS\\"));
    QVERIFY(!fx.child<QToolButton>("sbBack")->isEnabled());
    QVERIFY(fx.child<QToolButton>("sbFore")->isEnabled());
    fx.child<QToolButton>("sbFore")->click();
    QCOMPARE(fx.address(), QString("DOCS\\docs"));
    fx.child<QToolButton>("sbUp")->click();
    QCOMPARE(fx.address(), QString("DOCS\\"));
    QCOMPARE(fx.child<QComboBox>("cbArchives")->currentIndex(), 1);

    fx.child<QToolButton>("sbClose")->click();
    QCOMPARE(fx.address(), QString());
    QCOMPARE(fx.listModel()->rowCount(), 0);
    QCOMPARE(tree->model()->rowCount(), 0);
    QCOMPARE(fx.child<QComboBox>("cbArchives")->currentIndex(), -1);
    QVERIFY(!fx.child<QToolButton>("sbBack")->isEnabled());
    QCOMPARE(fx.child<QLabel>("lFileName")->text(), QString("(none)"));
  }

  void doubleClickEntersFoldersAndOpensFiles() {
    Fixture fx;
    fx.open();
    fx.doubleClick("docs");
    QCOMPARE(fx.address(), QString("DOCS\\docs"));
    QVERIFY(fx.child<QToolButton>("sbBack")->isEnabled());
    fx.doubleClick("readme.txt");
    QCOMPARE(fx.shell.opened, std::vector<std::string>({fx.base + "docs/readme.txt"}));
    QVERIFY(fx.dialogs.messages.empty());
  }

  void theKeyboardGoesInBackForwardAndUp() {
    Fixture fx;
    fx.open();
    QApplication::setActiveWindow(fx.view.get());  // shortcuts go to the active window
    // Enter on a folder opens it; on a file it executes the file.
    fx.select("docs");
    fx.list()->setFocus();
    QTest::keyClick(fx.list(), Qt::Key_Return);
    QCOMPARE(fx.address(), QString("DOCS\\docs"));
    fx.select("old");
    QTest::keyClick(fx.list(), Qt::Key_Return);
    QCOMPARE(fx.address(), QString("DOCS\\docs\\old"));
    // Alt+Left and Alt+Right go back and forward, Backspace goes up.
    QTest::keyClick(fx.list(), Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(fx.address(), QString("DOCS\\docs"));
    QTest::keyClick(fx.list(), Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(fx.address(), QString("DOCS\\docs\\old"));
    QTest::keyClick(fx.list(), Qt::Key_Backspace);
    QCOMPARE(fx.address(), QString("DOCS\\docs"));
    fx.select("readme.txt");
    QTest::keyClick(fx.list(), Qt::Key_Enter);
    QCOMPARE(fx.shell.opened, std::vector<std::string>({fx.base + "docs/readme.txt"}));
  }

  void shellActionsHandOverEachNameAsOnePath() {
    Fixture fx;
    fx.open();
    for (const std::string& name : kHostileNames) {
      fx.select(QFile::decodeName(name.c_str()));
      fx.action("miExecuteItem")->trigger();
      fx.action("miPrintItem")->trigger();
      fx.action("miBrowseFolder")->trigger();
      QCOMPARE(fx.shell.opened.back(), fx.base + name);
      QCOMPARE(fx.shell.printed.back(), fx.base + name);
      QCOMPARE(fx.shell.explored.back(), fx.base.substr(0, fx.base.size() - 1));
    }
    // A folder is explored itself.
    fx.select("docs");
    fx.action("miBrowseFolder")->trigger();
    QCOMPARE(fx.shell.explored.back(), fx.base + "docs");
    QVERIFY(fx.dialogs.questions.empty());
  }

  void missingMediumAsksAndGivesUpQuietly() {
    Fixture fx;
    QFile::rename(QFile::decodeName(fx.base.c_str()),
                  QFile::decodeName((fx.base.substr(0, fx.base.size() - 1) + "-gone").c_str()));
    fx.open();
    fx.select("zeta");
    fx.dialogs.answers = {Answer::No};
    fx.action("miExecuteItem")->trigger();
    QCOMPARE(fx.dialogs.questions.size(), std::size_t{1});
    QVERIFY(fx.dialogs.questions[0].find("DOCS") != std::string::npos);
    QVERIFY(fx.shell.opened.empty());
    QVERIFY(fx.dialogs.messages.empty());
  }

  void clipboardCopiesAreWhereTheItemsWereScanned() {
    Fixture fx;
    fx.open();
    fx.select("zeta");
    fx.action("miCopyPath")->trigger();
    fx.doubleClick("docs");
    fx.select("readme.txt");
    fx.action("miCopyName")->trigger();
    fx.action("miCopyPath")->trigger();
    fx.action("miCopyPathName")->trigger();
    QCOMPARE(fx.copies.texts,
             std::vector<std::string>(
                 {fx.base, "readme.txt", fx.base + "docs/", fx.base + "docs/readme.txt"}));
    QCOMPARE(fx.child<QLabel>("lFileName")->text().remove(QChar(0x200B)), QString("readme.txt"));
    QCOMPARE(fx.child<QLabel>("lSize")->text(), QString("Size: 10 B"));
  }

  void aFolderShowsWhatItHoldsInsteadOfADateAndASize() {
    Fixture fx;
    fx.open();
    fx.select("docs");
    QCOMPARE(fx.child<QLabel>("lDate")->text(), QString("Holds: 1 folder(s), 3 file(s)"));
    QCOMPARE(fx.child<QLabel>("lSize")->text(), QString("In all: 1 folder(s), 4 file(s)"));
    fx.select("Empty");
    QCOMPARE(fx.child<QLabel>("lDate")->text(), QString("Holds: 0 folder(s), 0 file(s)"));
    fx.language.setLanguageName("German");
    fx.select("zeta");
    fx.select("docs");
    QCOMPARE(fx.child<QLabel>("lSize")->text(), QString("Insgesamt: 1 Ordner, 4 Datei(en)"));
    // A file keeps its date and size.
    fx.select("zeta");
    QVERIFY(fx.child<QLabel>("lDate")->text().startsWith("Datum: "));
    QCOMPARE(fx.child<QLabel>("lSize")->text(), QString("Größe: 4.88 KB"));
  }

  void shellItemsNeedASelection() {
    Fixture fx;
    fx.open();
    QVERIFY(fx.action("miExecuteItem")->isEnabled());
    fx.list()->selectionModel()->clearSelection();
    for (const char* name : {"miExecuteItem", "miBrowseFolder", "miPrintItem", "miCopyName",
                             "miCopyPath", "miCopyPathName"})
      QVERIFY2(!fx.action(name)->isEnabled(), name);
    QCOMPARE(fx.child<QLabel>("lFileName")->text(), QString("(none)"));
    fx.view->miExecuteItemClick(90201);
    fx.view->miCopyNameClick();
    QVERIFY(fx.shell.opened.empty());
    QVERIFY(fx.copies.texts.empty());
    // An empty folder leaves nothing selected.
    fx.doubleClick("Empty");
    QCOMPARE(fx.address(), QString("DOCS\\Empty"));
    QVERIFY(!fx.action("miCopyName")->isEnabled());
  }

  void fourStylesAndSortingByColumn() {
    Fixture fx;
    fx.open();
    auto* files = fx.child<QStackedWidget>("pFiles");
    auto* report = fx.child<QTreeView>("lvReport");
    QCOMPARE(fx.view->listStyle(), TArchiveExplorerFrame::kLargeIcons);
    QCOMPARE(fx.list()->viewMode(), QListView::IconMode);
    fx.action("miSmallIcon")->trigger();
    QCOMPARE(fx.list()->viewMode(), QListView::ListMode);
    QCOMPARE(fx.list()->flow(), QListView::LeftToRight);
    QCOMPARE(fx.list()->iconSize(), QSize(16, 16));
    fx.action("miList")->trigger();
    QCOMPARE(fx.list()->flow(), QListView::TopToBottom);
    QCOMPARE(files->currentWidget(), fx.list());
    fx.action("miReport")->trigger();
    QCOMPARE(files->currentWidget(), report);
    QCOMPARE(fx.view->listStyle(), TArchiveExplorerFrame::kDetails);
    QCOMPARE(fx.listModel()->headerData(2, Qt::Horizontal).toString(), QString("Date"));

    fx.select("alpha.txt");
    auto clickColumn = [&](int c) {
      QHeaderView* h = report->header();
      QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                        QPoint(h->sectionViewportPosition(c) + 5, h->height() / 2));
    };
    QVERIFY(fx.action("misbName")->isChecked());
    clickColumn(3);
    clickColumn(3);
    QCOMPARE(fx.column(0).mid(0, 3), QStringList({"docs", "Empty", "zeta"}));  // largest first
    QCOMPARE(report->header()->sortIndicatorSection(), 3);
    QCOMPARE(report->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    QVERIFY(fx.action("misbSize")->isChecked() && !fx.action("misbName")->isChecked());
    QCOMPARE(fx.view->selectedEntry()->record.FileName, std::string("alpha.txt"));  // kept
    clickColumn(0);
    QCOMPARE(fx.column(0).mid(2, 2), QStringList({"\"; touch x\"", "$(id)"}));
    fx.action("misbKind")->trigger();
    QCOMPARE(fx.column(0).mid(2, 1), QStringList({"\"; touch x\""}));  // no extension first
    fx.action("misbKind")->trigger();
    QCOMPARE(fx.column(0).mid(2, 1), QStringList({"a b 'c'.txt"}));
    QCOMPARE(fx.column(0).last(), QString("zeta"));  // equal kinds by name
    QVERIFY(fx.action("misbKind")->isChecked());
    // The catalog opened again starts by name, and says so.
    fx.open();
    QVERIFY(fx.action("misbName")->isChecked());
    QCOMPARE(report->header()->sortIndicatorSection(), 0);
    QCOMPARE(report->header()->sortIndicatorOrder(), Qt::AscendingOrder);
  }

  void handOversFromOtherViews() {
    Fixture fx;
    fx.view->BrowseArchive(fx.catalog, "X:\\docs\\", "B.TXT");
    QCOMPARE(fx.address(), QString("DOCS\\docs"));
    QCOMPARE(fx.view->selectedEntry()->record.FileName, std::string("B.TXT"));
    QCOMPARE(fx.child<QComboBox>("cbArchives")->currentIndex(), 1);

    fx.child<QToolButton>("sbSearch")->click();
    QCOMPARE(fx.search->only, std::vector<std::string>({fx.catalog}));
    QCOMPARE(fx.views.shown, std::vector<int>({viewIndexOf("TSearchFrame")}));

    fx.view->CloseIfShown(fx.catalog + ".other");
    QCOMPARE(fx.address(), QString("DOCS\\docs"));
    fx.view->CloseIfShown(fx.catalog);
    QCOMPARE(fx.address(), QString());
    QCOMPARE(fx.listModel()->rowCount(), 0);
    // A listed catalog whose file is gone empties the view.
    emit fx.child<QComboBox>("cbArchives")->activated(0);
    QCOMPARE(fx.listModel()->rowCount(), 0);
    QVERIFY(fx.dialogs.messages.empty());
  }

  void dateTextsHaveFourDigitYearsAndLeaveOutMidnight() {
    const QString day = DateTimeTextOf(45000.0);  // 15 March 2023
    QVERIFY2(day.contains("2023") && !day.contains(':'), qPrintable(day));
    QVERIFY(DateTimeTextOf(45000.75).startsWith(day + ' '));
    QVERIFY(DateTimeTextOf(45000.75).contains("18") || DateTimeTextOf(45000.75).contains("6"));
    QCOMPARE(DateTimeTextOf(std::nan("")), QString());
  }

  // Not a check: pictures of the view for looking at, made when KOLVEX_SHOTS_DIR and
  // KOLVEX_SHOT_CATALOG (a catalog of a real folder) are set.
  void screenshots() {
    const QString dir = qEnvironmentVariable("KOLVEX_SHOTS_DIR");
    const std::string catalog = qEnvironmentVariable("KOLVEX_SHOT_CATALOG").toStdString();
    if (dir.isEmpty() || catalog.empty()) QSKIP("no screenshot run");
    Fixture fx;
    fx.view->resize(980, 620);
    fx.view->UpdatingArchiveList({{"DOCS", catalog}});
    auto shoot = [&](const QString& name) {
      QTest::qWait(150);
      QVERIFY(fx.view->grab().save(dir + "/explorer-" + name + ".png"));
    };
    fx.view->BrowseArchive(catalog, "X:\\python3.11\\", "");
    const char* const styles[] = {"miIcon", "miSmallIcon", "miList", "miReport"};
    const char* const names[] = {"large-icons", "small-icons", "list", "details"};
    for (int i = 0; i < 4; ++i) {
      fx.action(styles[i])->trigger();
      shoot(names[i]);
    }
    fx.view->BrowseArchive(
        catalog,
        "X:\\liberror-prone-java\\examples\\plugin\\bazel\\java\\com\\google\\errorprone\\sample\\",
        "");
    shoot("deep-folder");
    fx.action("miIcon")->trigger();
    fx.view->BrowseArchive(catalog, "X:\\", "");
    shoot("root");
  }
};

QTEST_MAIN(ExplorerViewTest)
#include "ExplorerViewTest.moc"
