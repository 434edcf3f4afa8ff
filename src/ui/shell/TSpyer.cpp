#include "ui/shell/TSpyer.h"

#include <dirent.h>

#include <QGuiApplication>
#include <QTimer>
#include <algorithm>

#include "core/app/IconProvider.h"
#include "core/catalog/AppDir.h"
#include "core/catalog/ScanContext.h"
#include "core/catalog/ScanProgress.h"
#include "core/catalog/VolumeScanner.h"
#include "platform/LinuxSystemProbe.h"
#include "platform/VolumeTable.h"
#include "ui/common/CatalogFolderService.h"

namespace kolvex {
namespace {

// A medium without a single entry (a blank disc, a freshly formatted stick), or one whose
// root cannot be listed: nothing a catalog could hold.
bool holdsNothing(const std::string& folder) {
  DIR* d = ::opendir(folder.c_str());
  if (!d) return true;
  bool empty = true;
  while (const dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name != "." && name != "..") {
      empty = false;
      break;
    }
  }
  ::closedir(d);
  return empty;
}

}  // namespace

TSpyer::TSpyer(AppContext& context, Seams seams)
    : context_(context),
      seams_(std::move(seams)),
      probe_(std::make_unique<LinuxSystemProbe>()),
      volumes_(std::make_unique<VolumeTable>(*probe_)),
      monitor_(DriveMonitor::Hooks{
          [this] { return TakeSnapshot(); },
          [this] {
            if (seams_.shiftDown) return seams_.shiftDown();
            return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
          },
          [this] { return context_.catalogs.scanRunning(); },
          [this](const std::string& mountPoint) {
            timer_->stop();  // no tick while the scan runs events
            CatalogNewMedium(mountPoint);
          }}),
      timer_(new QTimer) {
  setObjectName("Spyer");
  timer_->setObjectName("Timer");
  connect(timer_, &QTimer::timeout, this, [this] { Poll(); });
  SetInterval(context_.options.SpyFrequency);
}

TSpyer::~TSpyer() {
  *alive_ = false;
  timer_->stop();
  // Destroyed from inside a tick (shutdown during a scan): the timer that is delivering
  // that tick goes when the event is over.
  if (polling_)
    timer_->deleteLater();
  else
    delete timer_;
}

bool TSpyer::Running() const { return monitor_.running() || (monitor_.handling() && wanted_); }

void TSpyer::StartMonitor() {
  wanted_ = true;
  monitor_.start();
  SetInterval(context_.options.SpyFrequency);
  SyncTimer();
}

void TSpyer::StopMonitor() {
  wanted_ = false;
  monitor_.stop();
  SyncTimer();
}

void TSpyer::SetInterval(int milliseconds) {
  timer_->setInterval(std::max(milliseconds, DriveMonitor::kShortestInterval));
}

int TSpyer::Interval() const { return timer_->interval(); }

bool TSpyer::TimerActive() const { return timer_->isActive(); }

void TSpyer::SyncTimer() {
  if (monitor_.running() && !monitor_.handling()) {
    if (!timer_->isActive()) timer_->start();
  } else {
    timer_->stop();
  }
}

DriveMonitor::Snapshot TSpyer::TakeSnapshot() {
  return seams_.takeSnapshot ? seams_.takeSnapshot() : volumes_->snapshot();
}

void TSpyer::Poll() {
  if (polling_) return;
  std::shared_ptr<bool> alive = alive_;
  polling_ = true;
  monitor_.poll();
  if (!*alive) return;
  polling_ = false;
  SyncTimer();
}

void TSpyer::CatalogNewMedium(const std::string& mountPoint) {
  CatalogFolderService& catalogs = context_.catalogs;
  if (!catalogs.scanRunner() || catalogs.scanRunning()) return;
  NoScanProgress noProgress;
  NoIconProvider noIcons;
  IconProvider& icons = context_.icons ? *context_.icons : noIcons;
  ScanContext scan{context_.options,  *volumes_,     icons,      context_.dialogs,
                   context_.language, context_.pump, noProgress, ArchivesDir()};
  VolumeScanner scanner(scan);
  TSCCDInfo header;
  // The medium may have gone again since the poll, or hold nothing: it is skipped without
  // a word, as a person who inserted it expects from a monitor working on its own.
  if (holdsNothing(mountPoint) || !scanner.GetVolumeInfo(mountPoint, header)) return;
  const std::string fileName = scanner.ArchiveFileNameFor(header);
  if (!scanner.ConfirmOverwrite(false, false, fileName)) return;  // it has a catalog

  // The service lets the views go of the catalog and reads the folder again. The scan
  // runs window events (the program may end and take this monitor with it): nothing of
  // this object is touched after it.
  catalogs.createCatalog(true, true, header, mountPoint, fileName);
}

}  // namespace kolvex
