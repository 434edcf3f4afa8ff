#include "ui/catalog/DesktopScanRunner.h"

#include "core/catalog/ScanState.h"
#include "core/catalog/UpdateArchive.h"

namespace kolvex {

DesktopScanRunner::DesktopScanRunner(AppContext& context, IconProvider& icons,
                                     const std::string& archivesDir)
    : app_(context),
      volumes_(probe_),
      windows_(context.options, context.skin, context.pump),
      cx_{context.options,  volumes_,     icons,    context.dialogs,
          context.language, context.pump, windows_, archivesDir},
      scanner_(cx_) {}

bool DesktopScanRunner::ScanRunning() const { return TheScanState().Running; }

bool DesktopScanRunner::CreateArchive(bool compact, bool quiet, TSCCDInfo& header,
                                      const std::string& scanPath,
                                      const std::string& archiveFileName) {
  last_ = scanner_.CreateArchive(compact, quiet, header, scanPath, archiveFileName);
  return last_.outcome == ScanOutcome::Done;
}

void DesktopScanRunner::CancelScan() {
  if (ScanRunning()) TheScanState().AddingCancelled = true;
}

ScanResult DesktopScanRunner::UpdateArchive(const std::string& catalogPath) {
  if (ScanRunning()) {
    app_.dialogs.message(MessageKind::Error, kScanAlreadyRunning);
    last_ = {ScanOutcome::Refused, kScanAlreadyRunning};
    return last_;
  }
  windows_.beforeNextScan([this, catalogPath] {
    if (app_.links.explorer) app_.links.explorer->CloseIfShown(catalogPath);
  });
  last_ = kolvex::UpdateArchive(scanner_, cx_, catalogPath, true);
  windows_.beforeNextScan(nullptr);
  return last_;
}

}  // namespace kolvex
