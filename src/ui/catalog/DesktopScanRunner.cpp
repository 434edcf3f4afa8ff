#include "ui/catalog/DesktopScanRunner.h"

#include <QWidget>

#include "core/catalog/ScanState.h"
#include "core/catalog/UpdateArchive.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"
#include "ui/common/FingerprintSetting.h"

namespace kolvex {

DesktopScanRunner::DesktopScanRunner(AppContext& context, IconProvider& icons,
                                     const std::string& archivesDir, QWidget* owner)
    : app_(context),
      volumes_(probe_),
      windows_(context, owner),
      cx_{context.options,  volumes_,     icons,    context.dialogs,
          context.language, context.pump, windows_, archivesDir},
      scanner_(cx_) {
  // A message box is all the user learns of a failed scan: it says which folder and why.
  scanner_.setExplainFailures(true);
}

bool DesktopScanRunner::ScanRunning() const { return TheScanState().Running; }

bool DesktopScanRunner::CreateArchive(bool compact, bool quiet, TSCCDInfo& header,
                                      const std::string& scanPath,
                                      const std::string& archiveFileName,
                                      std::function<void()> whenScanStarts) {
  if (!ScanRunning()) {
    windows_.setVolume(header.CDLabel.empty() ? scanPath : header.CDLabel);
    windows_.beforeNextScan(std::move(whenScanStarts));
    cx_.fingerprints = RecordFingerprints();
  }
  last_ = scanner_.CreateArchive(compact, quiet, header, scanPath, archiveFileName);
  windows_.beforeNextScan(nullptr);
  return last_.outcome == ScanOutcome::Done;
}

void DesktopScanRunner::CancelScan() {
  if (ScanRunning()) TheScanState().AddingCancelled = true;
}

void DesktopScanRunner::RaiseScanWindow() {
  if (QWidget* w = windows_.shown()) {
    w->raise();
    w->activateWindow();
  }
}

ScanResult DesktopScanRunner::UpdateArchive(const std::string& catalogPath,
                                            std::function<void()> whenScanStarts) {
  if (ScanRunning()) {
    app_.dialogs.message(MessageKind::Error, kScanAlreadyRunning);
    last_ = {ScanOutcome::Refused, kScanAlreadyRunning};
    return last_;
  }
  try {
    windows_.setVolume(CatalogReader(catalogPath).header().CDLabel);
  } catch (const EStreamError&) {
    windows_.setVolume(catalogPath);  // the update reports the reading error itself
  }
  cx_.fingerprints = RecordFingerprints();
  windows_.beforeNextScan(std::move(whenScanStarts));
  last_ = kolvex::UpdateArchive(scanner_, cx_, catalogPath, true);
  windows_.beforeNextScan(nullptr);
  return last_;
}

}  // namespace kolvex
