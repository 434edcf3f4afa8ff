#pragma once
// The main window's sign that a scan runs, in the view header whichever view is up: the
// volume being catalogued and how far it has come. A click brings the scan's progress
// window (with its Cancel) to the front.
#include <QWidget>

#include "ui/common/AppContext.h"
#include "ui/common/ScanRunner.h"

class QLabel;
class QProgressBar;

namespace kolvex {

class ScanIndicator final : public QWidget, public ScanActivity {
  Q_OBJECT

 public:
  ScanIndicator(AppContext& context, QWidget* parent);

  void scanShown(const std::string& volume) override;
  void scanProgressed(int percent) override;
  void scanHidden() override;
  // The text in the current language while a scan runs.
  void ApplyLanguage();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  AppContext& context_;
  std::string volume_;
  QLabel* lScan_;
  QProgressBar* pbScan_;
};

}  // namespace kolvex
