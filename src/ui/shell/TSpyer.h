#pragma once
// The drive monitor of the main window: a timer that polls the mounted volumes and hands
// a newly inserted medium without a catalog to the scanner, in the compact progress
// window and without a success message. The decisions (what is new, Shift, one medium per
// poll, a fresh baseline after it) are DriveMonitor's.
#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "core/app/DriveMonitor.h"
#include "ui/common/AppContext.h"
#include "ui/shell/MonitorSwitch.h"

class QTimer;

namespace kolvex {

class SystemProbe;
class VolumeTable;

class TSpyer final : public QObject, public MonitorSwitch {
  Q_OBJECT

 public:
  // What the monitor asks of the system; tests script these.
  struct Seams {
    std::function<DriveMonitor::Snapshot()> takeSnapshot;  // the real volumes when not given
    std::function<bool()> shiftDown;                       // the keyboard when not given
  };

  explicit TSpyer(AppContext& context, Seams seams = {});
  ~TSpyer() override;

  void Start() override { StartMonitor(); }
  void Stop() override { StopMonitor(); }
  bool Running() const override;

  // A fresh baseline (media present now are never catalogued), the interval from
  // SpyFrequency, the timer on.
  void StartMonitor();
  void StopMonitor();
  // The options changed: the timer's interval follows, its state stays.
  void SetInterval(int milliseconds);
  int Interval() const;
  bool TimerActive() const;

  DriveMonitor::Snapshot TakeSnapshot();
  // One tick of the timer.
  void Poll();
  // Catalogues the volume at a mount point unless it already has a catalog.
  void CatalogNewMedium(const std::string& mountPoint);

 private:
  void SyncTimer();

  AppContext& context_;
  Seams seams_;
  std::unique_ptr<SystemProbe> probe_;
  std::unique_ptr<VolumeTable> volumes_;
  DriveMonitor monitor_;
  QTimer* timer_;
  bool polling_ = false;
  bool wanted_ = false;  // switched on, also while a medium is catalogued
  // A scan runs window events, in which the monitor may be destroyed.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace kolvex
