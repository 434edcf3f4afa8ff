// The whole program, walked as a user would try it out: every action (menu item, tool
// button, push button; check boxes are settings, not actions) of every view and dialog is
// triggered in each state where it is
// enabled: without catalogs, with catalogs, while a search runs and while it is paused,
// while a scan runs and while the explorer lists a folder. Questions are answered Yes
// (No to deleting); nothing may crash, and in the sanitizer build nothing may touch
// memory it should not. Shutting down comes last.
#include <filesystem>
#include <fstream>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <set>

#include "ui/options/TOptionsFrame.h"
#include "ui/archives/ArchiveListModel.h"
#include "ui/archives/ArchiveListView.h"
#include "ui/archives/TArchiveManFrame.h"
#include "ui/catalog/DesktopScanRunner.h"
#include "ui/catalog/TAddArchiveForm.h"
#include "ui/compare/TCompareForm.h"
#include "ui/duplicates/DuplicateListModel.h"
#include "ui/duplicates/TDuplicatesForm.h"
#include "ui/explorer/TArchiveExplorerFrame.h"
#include "ui/search/SearchResultModel.h"
#include "ui/search/TSearchFrame.h"
#include "ui/support/WalkData.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

// Check boxes and radio buttons set what an action works with; they are no actions.
bool isSetting(const QObject* o) {
  return qobject_cast<const QCheckBox*>(o) || qobject_cast<const QRadioButton*>(o);
}


// A tab bar's own scroll buttons belong to Qt and are enabled only when the tabs overflow.
bool isQtsOwn(const QObject* o) {
  return qobject_cast<const QTabBar*>(o->parent()) &&
         (o->objectName() == "ScrollLeftButton" || o->objectName() == "ScrollRightButton");
}

// The shutdown actions end the walk; they are tried on their own at the end.
bool endsTheProgram(const QObject* o) {
  const QString name = o->objectName();
  const bool closeButton = name == "sbClose" && qobject_cast<const QAbstractButton*>(o) &&
                           o->parent() && o->parent()->objectName() == "pTopBar";
  return closeButton || name == "sbExit" || name == "miShutDown";
}

// A readable name for the report: the component's name within its window or view.
QString nameOf(const QObject* o) {
  QString name = o->objectName();
  if (name.isEmpty())
    if (auto* a = qobject_cast<const QAction*>(o)) name = "\"" + a->text() + "\"";
  for (const QObject* p = o->parent(); p; p = p->parent()) {
    const QString owner = p->objectName();
    if (owner.startsWith('T')) return owner + "." + name;  // TArchiveManFrame, TAddArchiveForm ...
  }
  return name;
}

class Walker {
 public:
  explicit Walker(WalkProgram& walk) : walk_(walk) {}

  // Triggers every enabled action and button of the program once, except the ones left
  // out (and the shutdown ones); before each one, prepare brings back what earlier ones
  // undid (a selection, a history, changed options).
  void triggerAll(const std::set<QString>& leftOut = {}, const std::function<void()>& prepare = {}) {
    std::vector<QPointer<QObject>> targets;
    for (QAction* a : walk_.form().findChildren<QAction*>()) targets.emplace_back(a);
    for (QAbstractButton* b : walk_.form().findChildren<QAbstractButton*>()) targets.emplace_back(b);
    for (const QPointer<QObject>& target : targets) {
      if (!target || endsTheProgram(target) || isSetting(target) || isQtsOwn(target) ||
          leftOut.count(target->objectName()))
        continue;
      if (prepare) prepare();
      if (!target) continue;
      if (auto* a = qobject_cast<QAction*>(target.data())) {
        if (!a->isEnabled() || a->isSeparator() || a->menu()) continue;
        const QString name = nameOf(a);
        a->trigger();
        triggered.insert(name);
      } else if (auto* b = qobject_cast<QAbstractButton*>(target.data())) {
        if (!b->isEnabled()) continue;
        const QString name = nameOf(b);
        b->click();
        triggered.insert(name);
      }
      closePopups();
    }
  }

  // Every action and button there is (the never-enabled ones would show up missing).
  std::set<QString> all() const {
    std::set<QString> names;
    for (QAction* a : walk_.form().findChildren<QAction*>())
      if (!a->isSeparator() && !a->menu() && !endsTheProgram(a)) names.insert(nameOf(a));
    for (QAbstractButton* b : walk_.form().findChildren<QAbstractButton*>())
      if (!endsTheProgram(b) && !isSetting(b) && !isQtsOwn(b)) names.insert(nameOf(b));
    return names;
  }

  // What the test presses by hand, at the moment it means to.
  void press(QAbstractButton* button) {
    triggered.insert(nameOf(button));
    button->click();
  }
  void trigger(QAction* action) {
    triggered.insert(nameOf(action));
    action->trigger();
  }

  std::set<QString> triggered;

 private:
  static void closePopups() {
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  }
  WalkProgram& walk_;
};

}  // namespace

class ActionWalkTest : public QObject {
  Q_OBJECT

 private slots:
  void everyActionInEveryStateItIsEnabledIn() {
    WalkProgram walk(false);
    walk.options().setTestWait([](int) {});  // the fade test waits for nobody
    Walker walker(walk);

    // Without a single catalog.
    walker.triggerAll();
    QVERIFY(!walk.terminated);

    // With catalogs: one selected in the manager, one open in the explorer deep in its
    // history with an entry selected, a hit selected in the search, changed options.
    walk.makeCatalogs();
    walker.triggerAll({}, [&] { ensureSelections(walk); });
    QVERIFY(!walk.terminated);

    // Two catalogs selected (the comparison of two), and the comparisons' Cancel while
    // they run.
    walker.triggerAll({}, [&] {
      if (walk.manager().Model()->rowCount() < 2) walk.manager().RefreshArchives();
      walk.manager().List()->selectRows({0, 1});
    });
    TCompareForm* compare = walk.manager().Compare();
    compare->diff(walk.awkwardCatalog(), walk.docCatalog().empty() ? walk.awkwardCatalog() : walk.docCatalog());
    walker.press(compare->findChild<QPushButton*>("bStop"));
    compare->finishNow();
    TDuplicatesForm* dupes = walk.manager().Duplicates();
    dupes->bFindClick();
    walker.press(dupes->findChild<QPushButton*>("bStop"));
    dupes->finishNow();

    // A damaged catalog among the others: the manager offers to delete it (the walk answers
    // No to deleting, so it is taken away by hand afterwards).
    {
      const std::filesystem::path damaged =
          std::filesystem::path(walk.awkwardCatalog()).parent_path() / "0-damaged.qel";
      std::ofstream(damaged) << "not a catalog";
      walk.manager().RefreshArchives();
      QAction* deleteDamaged = walk.form().findChild<QAction*>("miDeleteDamaged");
      QVERIFY(deleteDamaged && deleteDamaged->isEnabled());
      walker.trigger(deleteDamaged);
      std::filesystem::remove(damaged);
      walk.manager().RefreshArchives();
    }

    // While the explorer lists a large folder.
    if (!walk.docCatalog().empty()) {
      bool listed = false;
      walk.explorer().model().setEventSlice(std::chrono::milliseconds(0));
      walk.pump.onEvents = [&] {
        if (listed || walk.explorer().model().busy() != ExplorerBusy::Listing) return;
        listed = true;
        walker.triggerAll();
      };
      walk.explorer().BrowseArchive(walk.docCatalog(), "", "");
      walk.pump.onEvents = nullptr;
      QVERIFY(listed);
    }

    // While a search runs, and while it is paused: Pause and Stop are pressed on purpose.
    ensureSelections(walk);
    TSearchFrame& search = walk.search();
    search.engine().setEventSlice(std::chrono::milliseconds(0));
    search.engine().setPausedWait(std::chrono::milliseconds(1));
    int phase = 0;
    walk.pump.onEvents = [&] {
      if (phase == 0 && search.engine().state() == SearchState::Searching) {
        phase = 1;
        walker.triggerAll({"sbPause", "sbStop", "sbSearch"});
        walker.press(search.findChild<QToolButton*>("sbPause"));
      } else if (phase == 1 && search.engine().state() == SearchState::Paused) {
        phase = 2;
        walker.triggerAll({"sbStop", "sbSearch"});
        walker.press(search.findChild<QToolButton*>("sbStop"));
      }
    };
    search.findChild<QLineEdit*>("eMask")->setText("*");
    search.UpdatingArchiveList({{"doc", walk.docCatalog().empty() ? walk.awkwardCatalog()
                                                                   : walk.docCatalog()},
                                {"awkward", walk.awkwardCatalog()}});
    search.findChild<QToolButton*>("sbSearch")->click();
    walk.pump.onEvents = nullptr;
    QCOMPARE(phase, 2);
    QCOMPARE(search.engine().state(), SearchState::Idle);

    // While a scan runs (its Cancel among the rest).
    bool scanning = false;
    walk.pump.onEvents = [&] {
      if (scanning || !walk.manager().Scans()->ScanRunning()) return;
      scanning = true;
      walker.triggerAll();
    };
    TAddArchiveForm* add = walk.manager().AddArchiveForm();
    add->SetVolumePath(walk.awkwardFolder());
    add->bOKClick();
    walk.pump.onEvents = nullptr;
    QVERIFY(scanning);
    QVERIFY(!walk.manager().Scans()->ScanRunning());

    // Every action was enabled, and triggered, in one state or another.
    std::set<QString> never;
    for (const QString& name : walker.all())
      if (!walker.triggered.count(name)) never.insert(name);
    for (const QString& name : never) qWarning("never enabled: %s", qPrintable(name));
    QVERIFY2(never.empty(), "actions never triggered (listed above)");

    // The end: Exit shuts the program down once.
    QVERIFY(!walk.terminated);
    walk.form().findChild<QToolButton*>("sbExit")->click();
    QCOMPARE(walk.terminated, 1);
  }

 private:
  // Brings back, where an earlier action took it away: a catalog selected in the manager;
  // the awkward catalog open in the explorer with a history to go back and forward in and
  // an entry selected; a hit selected in the search; options changed but not applied.
  static void ensureSelections(WalkProgram& walk) {
    if (walk.manager().Scans()->ScanRunning()) return;
    TArchiveManFrame& manager = walk.manager();
    if (manager.Model()->rowCount() == 0) manager.RefreshArchives();
    if (manager.SelectedArchive().empty()) manager.List()->selectRow(0);

    // A copy selected in the duplicates window (a search that an earlier action started
    // is waited for).
    TDuplicatesForm* dupes = manager.Duplicates();
    dupes->finishNow();
    if (dupes->groups().rowCount() == 0) {
      manager.miFindDuplicatesClick();
      dupes->finishNow();
    }
    dupes->selectCopy(0, 0);

    TArchiveExplorerFrame& explorer = walk.explorer();
    ExplorerModel& model = explorer.model();
    if (model.busy() == ExplorerBusy::Idle &&
        (!model.isOpen() || !model.navButtons().back || !model.navButtons().forward)) {
      explorer.BrowseArchive(walk.awkwardCatalog(), "X:\\Fotos 2001\\", "");
      explorer.BrowseArchive(walk.awkwardCatalog(), "X:\\Fotos 2001\\Urlaub\\", "");
      model.GoBack(1);
    }
    if (!explorer.selectedEntry()) explorer.selectRow(0);

    TSearchFrame& search = walk.search();
    if (search.engine().state() == SearchState::Idle) {
      if (search.results().rowCount() == 0) {
        search.findChild<QLineEdit*>("eMask")->setText("*");
        search.findChild<QToolButton*>("sbSearch")->click();
      }
      if (search.selectedRow() < 0) search.selectRow(search.results().rowCount() - 1);
    }

    if (!walk.options().Modified()) {
      auto* field = walk.options().findChild<QSpinBox*>("seMaxRecent");
      field->setValue(field->value() == 6 ? 7 : 6);
    }
  }
};

QTEST_MAIN(ActionWalkTest)
#include "ActionWalkTest.moc"
