#pragma once
// The progress dialog of a scan started by the user: status line, bar and Cancel, centred
// on the desktop.
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kolvex {

class TAddingForm : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 434, kClientHeight = 55;

  explicit TAddingForm(QWidget* parent = nullptr);

  QLabel* lStat() const { return lStat_; }
  QProgressBar* pbProgress() const { return pbProgress_; }
  QPushButton* bCancel() const { return bCancel_; }

  // Sets AddingCancelled: the scan stops before its next entry.
  void bCancelClick();

 protected:
  // Closing the window by its frame is a Cancel, never a hidden scan.
  void reject() override;

 private:
  QLabel* lStat_;
  QProgressBar* pbProgress_;
  QPushButton* bCancel_;
  QPushButton* Button1_;
};

}  // namespace kolvex
