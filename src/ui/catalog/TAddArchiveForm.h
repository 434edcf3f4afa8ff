#pragma once
// The dialog in which the user chooses what to catalogue and reviews the volume's serial,
// label, description and icons before the scan. Modeless; created once and reused, it
// keeps its path, header and catalog name between openings.
#include <QDialog>
#include <string>

#include "core/app/DesktopShell.h"
#include "core/persist/TSCCDInfo.h"
#include "ui/common/AppContext.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kolvex {

class DesktopScanRunner;
class TImage;

class TAddArchiveForm : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 284, kClientHeight = 279;

  // owner: the window the dialog stays above.
  TAddArchiveForm(AppContext& context, DesktopScanRunner& scans, QWidget* owner = nullptr);
  // The captions in the current language; the dialog grows to fit them.
  void ApplyLanguage();

  // The path to be indexed; a change reads its volume at once.
  void SetVolumePath(const std::string& path);
  std::string VolumePath() const;
  // The folder the dialog falls back to when a volume cannot be read (the user's home).
  static std::string DefaultPath();

  void ReloadVolume();
  void VolumeInfoChanged();
  void bBrowsePathClick();
  void eCDLabelExit();
  void bOKClick();
  void bCancelClick();

  const TSCCDInfo& header() const { return header_; }
  const std::string& archiveFileName() const { return archiveFileName_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  QLabel* label(const char* name, int tag, const char* caption);
  void ePathChange();

  AppContext& context_;
  DesktopScanRunner& scans_;
  TSCCDInfo header_;
  std::string archiveFileName_;

  QLabel* lSerialNumber_;
  QLineEdit* ePath_;
  QPushButton* bBrowsePath_;
  QLineEdit* eCDLabel_;
  TImage* iIconSmall_;
  TImage* iIconLarge_;
  QPlainTextEdit* mDescription_;
  QCheckBox* cbFingerprints_;
  QPushButton* bOK_;
  QPushButton* bCancel_;
  QPushButton* Button1_;
};

}  // namespace kolvex
