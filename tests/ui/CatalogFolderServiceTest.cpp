// The catalog folder service: listing, rewriting and deleting catalogs under injected
// failures, and the wiring that carries its news and the views' hand-overs.
#include <QTest>
#include <memory>

#include "core/catalog/ArchiveHeader.h"
#include "core/persist/CatalogReader.h"
#include "support/CatalogCraft.h"
#include "support/FaultyFileOps.h"
#include "support/ScriptedSeams.h"
#include "ui/shell/ViewRegistry.h"
#include "ui/common/CatalogFolderService.h"
#include "ui/common/Skin.h"
#include "ui/shell/ViewWiring.h"
#include "ui/support/RecordingSeams.h"
#include "ui/support/RecordingViews.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

struct Rig {
  explicit Rig(FileOps& ops = posixFileOps()) : catalogs(dialogs, language, pump, nullptr, ops) {
    options.setFactoryValues();
    catalogs.setFolder(folder.path() + "Archives/");
    WireViews(catalogs, {&manager, &explorer, &search, nullptr, nullptr}, switcher);
  }
  // A catalog of two files under the label given.
  std::string makeCatalog(const std::string& name, const std::string& label) {
    TSCCDInfo header;
    header.CDLabel = label;
    const std::string path = folder.path() + "Archives/" + name + ".qel";
    writeCatalog(path, dir("", {file("a.txt", 3), file("b.txt", 4)}), header);
    return path;
  }

  UiAppFolder folder;
  TSCOptions options;
  TSCInterfacePack package;
  Skin skin;
  LanguageFile language{folder.path() + "Languages/", "English"};
  ScriptedPump pump;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  ScriptedPicker picker;
  RecordingSwitcher switcher;
  CatalogFolderService catalogs;
  AppContext context{options, package, skin, language, pump, dialogs, shell, switcher, catalogs, picker};
  RecordingView manager{context}, explorer{context}, search{context};
};

}  // namespace

class CatalogFolderServiceTest : public QObject {
  Q_OBJECT

 private slots:
  void refreshHandsTheReadableCatalogsToEveryViewByLabel() {
    Rig r;
    const std::string b = r.makeCatalog("b", "disc 10");
    const std::string a = r.makeCatalog("a", "Disc 9");
    writeBytes(r.folder.path() + "Archives/broken.qel", "no catalog");
    r.catalogs.refresh();
    for (RecordingView* view : {&r.manager, &r.explorer, &r.search}) {
      QCOMPARE(view->refreshing, 1);
      QCOMPARE(view->lists.size(), std::size_t(1));
      QCOMPARE(view->lists[0].size(), std::size_t(2));
      QCOMPARE(view->lists[0][0].path, a);
      QCOMPARE(view->lists[0][1].path, b);
    }
    QCOMPARE(r.dialogs.questions.size(), std::size_t(1));
    QVERIFY(r.dialogs.questions[0].find("broken.qel") != std::string::npos);
  }

  void aFailedRewriteLeavesTheCatalogAndTheViewsAsTheyWere() {
    // How many file operations a whole rewrite makes; each of them fails in turn.
    int operations = 0;
    {
      Rig r;
      const std::string path = r.makeCatalog("cat", "OLD");
      FaultyFileOps counting;
      RewriteArchiveHeader(path, CatalogReader(path).header(), counting);
      operations = counting.calls();
    }
    QVERIFY(operations > 0);
    for (int failAt = 1; failAt <= operations; ++failAt) {
      FaultyFileOps ops(failAt, true);
      Rig r(ops);
      const std::string path = r.makeCatalog("cat", "OLD");
      const std::string before = readBytes(path);
      TSCCDInfo header = CatalogReader(path).header();
      header.CDLabel = "NEW";
      if (r.catalogs.rewriteHeader(path, header)) {
        // A failure the rewrite may pass over (tidying up after itself): a whole success.
        QCOMPARE(CatalogReader(path).header().CDLabel, std::string("NEW"));
        QCOMPARE(r.explorer.closed, std::vector<std::string>{path});
        continue;
      }
      QCOMPARE(readBytes(path), before);
      QVERIFY(r.explorer.closed.empty());  // nothing was let go of
      QVERIFY(r.explorer.lists.empty());   // nor listed again
      QCOMPARE(r.dialogs.messages.size(), std::size_t(1));
    }
    Rig r;
    const std::string path = r.makeCatalog("cat", "OLD");
    TSCCDInfo header = CatalogReader(path).header();
    header.CDLabel = "NEW";
    QVERIFY(r.catalogs.rewriteHeader(path, header));
    QCOMPARE(CatalogReader(path).header().CDLabel, std::string("NEW"));
    QCOMPARE(r.explorer.closed, std::vector<std::string>{path});
    QCOMPARE(r.explorer.lists.size(), std::size_t(1));
  }

  void aDeleteClosesTheCatalogFirstAndAFailureIsToldInTheProgramsLanguage() {
    {
      Rig r;
      const std::string path = r.makeCatalog("gone", "GONE");
      r.catalogs.refresh();
      bool presentWhenClosed = false;
      r.explorer.onLetGo = [&](const std::string& p) { presentWhenClosed = isRegularFile(p); };
      QVERIFY(r.catalogs.deleteCatalog(path));
      QCOMPARE(r.explorer.closed, std::vector<std::string>{path});
      QVERIFY(presentWhenClosed);
      QVERIFY(!isRegularFile(path));
      QVERIFY(r.explorer.lists.back().empty());
      QVERIFY(r.dialogs.messages.empty());
    }
    FaultyFileOps ops(1);  // the unlink
    Rig r(ops);
    r.language.setLanguageName("German");
    const std::string path = r.makeCatalog("kept", "KEPT");
    QVERIFY(!r.catalogs.deleteCatalog(path));
    QVERIFY(isRegularFile(path));
    QCOMPARE(r.dialogs.messages.size(), std::size_t(1));
    const std::string& text = r.dialogs.messages[0].text;
    QVERIFY2(text.find("kann nicht gelöscht werden") != std::string::npos, text.c_str());
    QVERIFY(text.find(path) != std::string::npos);
  }

  void handOverRequestsReachTheViewThatTakesThem() {
    Rig r;
    emit r.manager.browseRequested("/c.qel", "X:\\docs\\", "a.txt");
    QCOMPARE(r.explorer.browsed, std::vector<std::string>{"/c.qel"});
    QCOMPARE(r.explorer.browsedFolders, std::vector<std::string>{"X:\\docs\\"});
    QCOMPARE(r.explorer.selected, std::vector<std::string>{"a.txt"});
    emit r.explorer.searchRequested("/c.qel");
    QCOMPARE(r.search.only, std::vector<std::string>{"/c.qel"});
    QCOMPARE(r.switcher.shown, (std::vector<int>{viewIndexOf("TArchiveExplorerFrame"), viewIndexOf("TSearchFrame")}));
    // Nobody else took them.
    QVERIFY(r.manager.browsed.empty() && r.search.browsed.empty());
    QVERIFY(r.manager.only.empty() && r.explorer.only.empty());
  }

  void withoutAScanRunnerScansAreRefused() {
    Rig r;
    TSCCDInfo header;
    QVERIFY(!r.catalogs.createCatalog(false, true, header, "/tmp", "/tmp/x.qel"));
    QCOMPARE(r.catalogs.updateCatalog("/tmp/x.qel").outcome, ScanOutcome::Refused);
    QVERIFY(r.explorer.closed.empty());
  }
};

QTEST_MAIN(CatalogFolderServiceTest)
#include "CatalogFolderServiceTest.moc"
