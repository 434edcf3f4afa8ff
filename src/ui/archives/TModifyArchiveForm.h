#pragma once
// Edits the label, base folder, removable flag and description of a catalog's header
// without scanning again; OK rewrites the catalog with the new header in front of its
// unchanged records. Modeless; created once and reused.
#include <QDialog>
#include <string>

#include "core/persist/TSCCDInfo.h"
#include "ui/common/AppContext.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kolvex {

class TModifyArchiveForm : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 284, kClientHeight = 248;

  // owner: the window the dialog stays above.
  explicit TModifyArchiveForm(AppContext& context, QWidget* owner = nullptr);
  // The captions in the current language; the dialog grows to fit them.
  void ApplyLanguage();

  // The catalog to edit; reads its header into the fields. False (with the reading error
  // shown) when the header cannot be read.
  bool SetArchive(const std::string& catalogPath);
  bool LoadArchiveHeader();
  const std::string& ArchivePath() const { return catalogPath_; }
  const TSCCDInfo& header() const { return header_; }

  void ePathExit();
  void mDescriptionExit();
  void cbRemovableClick();
  void bOKClick();
  void bCancelClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  AppContext& context_;
  std::string catalogPath_;
  TSCCDInfo header_;

  QLineEdit* ePath_;
  QLineEdit* eCDLabel_;
  QCheckBox* cbRemovable_;
  QPlainTextEdit* mDescription_;
  QPushButton* bOK_;
  QPushButton* bCancel_;
  QPushButton* Button1_;
};

}  // namespace kolvex
