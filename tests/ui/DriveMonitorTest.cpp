// The drive monitor on scripted volumes: a new medium is catalogued once in the compact
// window, Shift skips it, a running scan is never run into, and stopping or destroying the
// monitor during a scan is safe.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "core/catalog/AppDir.h"
#include "platform/LinuxSystemProbe.h"
#include "platform/VolumeFilter.h"
#include "platform/VolumeTable.h"
#include "support/ScriptedSeams.h"
#include "ui/common/CatalogFolderService.h"
#include "ui/common/Skin.h"
#include "ui/shell/TSpyer.h"
#include "ui/shell/ViewWiring.h"
#include "ui/support/RecordingSeams.h"
#include "ui/support/RecordingViews.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

class NoViews final : public ViewSwitcher {
 public:
  void ShowView(int) override {}
};

struct ScanCall {
  bool compact, quiet;
  std::string path, fileName;
};

// Writes a catalog file for every scan it is asked for, as a finished scan would.
class RecordingScans final : public ScanRunner {
 public:
  bool ScanRunning() const override { return running; }
  bool CreateArchive(bool compact, bool quiet, TSCCDInfo&, const std::string& path,
                     const std::string& fileName, std::function<void()> whenScanStarts) override {
    calls.push_back({compact, quiet, path, fileName});
    running = true;
    if (whenScanStarts) whenScanStarts();
    if (duringScan) duringScan();
    running = false;
    if (writeCatalog) writeBytes(fileName, "catalog");
    return writeCatalog;
  }
  ScanResult UpdateArchive(const std::string&, std::function<void()>) override { return {}; }
  void CancelScan() override {}
  bool running = false;
  bool writeCatalog = true;
  std::vector<ScanCall> calls;
  std::function<void()> duringScan;
};

// The scan runner the catalog folder service owns, for the test to script.
RecordingScans& installScans(CatalogFolderService& catalogs) {
  auto scans = std::make_unique<RecordingScans>();
  RecordingScans& kept = *scans;
  catalogs.setScanRunner(std::move(scans));
  return kept;
}

struct Rig {
  Rig() {
    folder.useAsAppDir();
    options.setFactoryValues();
    WireViews(catalogs, {&manager, nullptr, nullptr, nullptr, nullptr}, views);
    volumes = {{"/", "1"}, {mediumA(), "0"}, {mediumB(), "0"}};
    for (const std::string& medium : {mediumA(), mediumB()}) writeBytes(medium + "/file", "x");
    TSpyer::Seams seams;
    seams.takeSnapshot = [this] { return volumes; };
    seams.shiftDown = [this] { return shift; };
    spyer = std::make_unique<TSpyer>(context, seams);
  }
  std::string mediumA() const { return dirA.path().toStdString(); }
  std::string mediumB() const { return dirB.path().toStdString(); }

  UiAppFolder folder;
  QTemporaryDir dirA, dirB;  // real folders standing for mount points
  TSCOptions options;
  TSCInterfacePack package;
  Skin skin;
  LanguageFile language{folder.path() + "Languages/", "English"};
  ScriptedPump pump;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  ScriptedPicker picker;
  NoViews views;
  CatalogFolderService catalogs{dialogs, language, pump};
  RecordingScans& scans = installScans(catalogs);
  AppContext context{options, package, skin, language, pump, dialogs, shell, views, catalogs, picker};
  RecordingView manager{context};  // counts the refreshes of the catalog list
  DriveMonitor::Snapshot volumes;
  bool shift = false;
  std::unique_ptr<TSpyer> spyer;
};

}  // namespace

class DriveMonitorTest : public QObject {
  Q_OBJECT

 private slots:
  void aNewMediumIsCataloguedOnceAndListed() {
    Rig r;
    r.spyer->Start();
    r.spyer->Poll();
    QVERIFY(r.scans.calls.empty());

    r.volumes[r.mediumA()] = "4242";
    r.spyer->Poll();
    QCOMPARE(r.scans.calls.size(), 1u);
    const ScanCall& call = r.scans.calls[0];
    QVERIFY(call.compact);
    QVERIFY(call.quiet);
    QCOMPARE(call.path, r.mediumA());
    QVERIFY(call.fileName.starts_with(ArchivesDir()));
    QVERIFY(call.fileName.ends_with(".qel"));
    QCOMPARE(r.manager.lists.size(), std::size_t(1));
    QVERIFY(r.spyer->Running());
    QVERIFY(r.spyer->TimerActive());

    // Staying, taken out and put back: it has its catalog now, so no scan again.
    r.spyer->Poll();
    r.volumes[r.mediumA()] = "0";
    r.spyer->Poll();
    r.volumes[r.mediumA()] = "4242";
    r.spyer->Poll();
    QCOMPARE(r.scans.calls.size(), 1u);
    QCOMPARE(r.manager.lists.size(), std::size_t(1));
  }

  void twoNewMediaAreTakenOneAfterTheOtherAndAFailedScanIsNotListed() {
    Rig r;
    r.scans.writeCatalog = false;
    r.spyer->Start();
    r.volumes[r.mediumA()] = "1";
    r.volumes[r.mediumB()] = "2";
    r.spyer->Poll();
    QCOMPARE(r.scans.calls.size(), 1u);
    QCOMPARE(r.scans.calls[0].path, std::min(r.mediumA(), r.mediumB()));
    QVERIFY(r.spyer->TimerActive());
    r.spyer->Poll();
    r.spyer->Poll();
    QCOMPARE(r.scans.calls.size(), 2u);
    QCOMPARE(r.scans.calls[1].path, std::max(r.mediumA(), r.mediumB()));
    QVERIFY(r.manager.lists.empty());
  }

  void shiftSkipsTheMediumForAsLongAsItStays() {
    Rig r;
    r.spyer->Start();
    r.volumes[r.mediumA()] = "77";
    r.shift = true;
    r.spyer->Poll();
    r.shift = false;
    r.spyer->Poll();
    QVERIFY(r.scans.calls.empty());
  }

  void aRunningScanIsWaitedFor() {
    Rig r;
    r.spyer->Start();
    r.volumes[r.mediumA()] = "9";
    r.scans.running = true;
    r.spyer->Poll();
    r.spyer->CatalogNewMedium(r.mediumA());  // also when asked directly
    QVERIFY(r.scans.calls.empty());
    r.scans.running = false;
    r.spyer->Poll();
    QCOMPARE(r.scans.calls.size(), 1u);
  }

  void anEmptyMediumIsSkippedWithoutAWord() {
    Rig r;
    r.spyer->Start();
    QVERIFY(QFile::remove(QString::fromStdString(r.mediumA() + "/file")));
    r.volumes[r.mediumA()] = "12";
    r.spyer->Poll();
    QVERIFY(r.scans.calls.empty());
    QVERIFY(r.dialogs.messages.empty());
    QVERIFY(r.spyer->Running());
  }

  void aMediumThatIsGoneAgainIsNotScanned() {
    Rig r;
    r.spyer->Start();
    r.volumes["/no/such/mount/point"] = "5";
    r.spyer->Poll();
    QVERIFY(r.scans.calls.empty());
  }

  void stoppedDuringAScanItStaysStopped() {
    Rig r;
    r.spyer->Start();
    r.scans.duringScan = [&] {
      QVERIFY(!r.spyer->TimerActive());  // no tick while the scan runs
      r.spyer->Stop();
    };
    r.volumes[r.mediumA()] = "3";
    r.spyer->Poll();
    QCOMPARE(r.scans.calls.size(), 1u);
    QVERIFY(!r.spyer->Running());
    QVERIFY(!r.spyer->TimerActive());
    r.volumes[r.mediumB()] = "4";
    r.spyer->Poll();
    QCOMPARE(r.scans.calls.size(), 1u);
  }

  void destroyedDuringAScanFromItsOwnTick() {
    Rig r;
    r.options.SpyFrequency = 1000;
    r.spyer->Start();
    r.scans.duringScan = [&] { r.spyer.reset(); };
    r.volumes[r.mediumA()] = "3";
    QTRY_COMPARE_WITH_TIMEOUT(r.scans.calls.size(), 1u, 5000);
    QVERIFY(!r.spyer);
    // The monitor is gone; the service, which the main window owns, lists the new catalog.
    QCOMPARE(r.manager.lists.size(), std::size_t(1));
    QTest::qWait(50);                  // the timer that delivered the tick goes now
  }

  void theTimerFollowsTheSwitchAndTheInterval() {
    Rig r;
    r.options.SpyFrequency = 3000;
    QVERIFY(!r.spyer->Running());
    r.spyer->Start();
    QVERIFY(r.spyer->TimerActive());
    QCOMPARE(r.spyer->Interval(), 3000);
    r.spyer->SetInterval(7000);
    QCOMPARE(r.spyer->Interval(), 7000);
    QVERIFY(r.spyer->TimerActive());
    r.spyer->SetInterval(0);  // would poll without pause
    QCOMPARE(r.spyer->Interval(), DriveMonitor::kShortestInterval);
    r.spyer->Stop();
    QVERIFY(!r.spyer->Running());
    QVERIFY(!r.spyer->TimerActive());
    r.spyer->SetInterval(5000);
    QVERIFY(!r.spyer->TimerActive());

    // A medium inserted while off is part of the baseline taken when it is switched on.
    r.volumes[r.mediumA()] = "8";
    r.spyer->Start();
    r.spyer->Poll();
    QVERIFY(r.scans.calls.empty());
  }

  void theRealVolumesGiveASnapshotOfInsertedMediaOnly() {
    Rig r;
    TSpyer real(r.context);
    const DriveMonitor::Snapshot snapshot = real.TakeSnapshot();
    LinuxSystemProbe probe;
    std::map<std::string, DriveKind> kinds;
    for (const Volume& v : VolumeTable(probe).list()) kinds[v.mountPoint] = v.kind;
    for (const auto& [mountPoint, serial] : snapshot) {
      QVERIFY(kinds.count(mountPoint));
      QVERIFY(isInsertedMedium(mountPoint, kinds[mountPoint]));
      QVERIFY(!serial.empty());
    }
    // The system's own root is never a medium to catalogue.
    QCOMPARE(snapshot.count("/"), 0u);
  }
};

QTEST_MAIN(DriveMonitorTest)
#include "DriveMonitorTest.moc"
