#pragma once
// The program's scans: the real volumes, the desktop's icons, the windows' messages and
// the two progress windows. One scan runs at a time; a second start is refused with a
// message.
#include <string>

#include "core/catalog/ScanContext.h"
#include "core/catalog/VolumeScanner.h"
#include "platform/LinuxSystemProbe.h"
#include "platform/VolumeTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/ScanRunner.h"
#include "ui/catalog/ScanWindows.h"

namespace kolvex {

class DesktopScanRunner final : public ScanRunner {
 public:
  // archivesDir: where new catalogs are named into, with a trailing '/'; owner: the window
  // the progress windows stay above.
  DesktopScanRunner(AppContext& context, IconProvider& icons, const std::string& archivesDir,
                    QWidget* owner = nullptr);

  bool ScanRunning() const override;
  bool CreateArchive(bool compact, bool quiet, TSCCDInfo& header, const std::string& scanPath,
                     const std::string& archiveFileName,
                     std::function<void()> whenScanStarts = nullptr) override;
  // Scans the catalog's folder again under its name (questions A028, A001, A027 as the
  // update command asks them).
  ScanResult UpdateArchive(const std::string& catalogPath,
                           std::function<void()> whenScanStarts = nullptr) override;
  void CancelScan() override;
  void RaiseScanWindow() override;
  void ReleaseOwner() override { windows_.releaseOwner(); }

  VolumeScanner& scanner() { return scanner_; }
  ScanWindows& windows() { return windows_; }
  const ScanResult& lastResult() const { return last_; }

 private:
  AppContext& app_;
  LinuxSystemProbe probe_;
  VolumeTable volumes_;
  ScanWindows windows_;
  ScanContext cx_;
  VolumeScanner scanner_;
  ScanResult last_;
};

}  // namespace kolvex
