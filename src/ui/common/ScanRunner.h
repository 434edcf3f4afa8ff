#pragma once
// The program's one scan runner as the catalog-folder service drives it. The desktop's
// runner (DesktopScanRunner) shows progress windows; tests put in a recording one.
#include <functional>
#include <string>

#include "core/catalog/VolumeScanner.h"
#include "core/persist/TSCCDInfo.h"

namespace kolvex {

// Runs scans with their progress windows; only one scan runs at a time.
class ScanRunner {
 public:
  virtual ~ScanRunner() = default;
  virtual bool ScanRunning() const = 0;
  // CreateArchive: compact chooses the small progress window, quiet drops the success
  // message. Refused (false, with a message) while another scan runs. whenScanStarts runs
  // once the scan really begins to write (not when it is refused or asks first).
  virtual bool CreateArchive(bool compact, bool quiet, TSCCDInfo& header, const std::string& scanPath,
                             const std::string& archiveFileName,
                             std::function<void()> whenScanStarts) = 0;
  // Scans the catalog's folder again under its name, asking what the update command asks.
  virtual ScanResult UpdateArchive(const std::string& catalogPath,
                                   std::function<void()> whenScanStarts) = 0;
  // Asks a running scan to stop (shutdown).
  virtual void CancelScan() = 0;
  // Brings the running scan's progress window to the front.
  virtual void RaiseScanWindow() {}
  // Lets the progress windows go from their owner (it goes while a scan still runs).
  virtual void ReleaseOwner() {}
};

// Told when a scan's progress window appears, moves on and goes, so that the main window
// shows a running scan whichever view is up.
class ScanActivity {
 public:
  virtual ~ScanActivity() = default;
  // volume: the label or folder being catalogued.
  virtual void scanShown(const std::string& volume) = 0;
  virtual void scanProgressed(int percent) = 0;
  virtual void scanHidden() = 0;
};

}  // namespace kolvex
