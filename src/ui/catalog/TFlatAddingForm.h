#pragma once
// The small always-on-top progress window of scans the drive monitor starts: borderless,
// cut to the shape of the interface package's mask, sitting above the desktop panel at
// the right edge of the screen.
#include <QImage>
#include <QWidget>

class QLabel;
class QProgressBar;
class QToolButton;

namespace kolvex {

class Skin;
class TPaintBox;

class TFlatAddingForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 379, kClientHeight = 62;

  explicit TFlatAddingForm(const Skin& skin, QWidget* parent = nullptr);

  // Takes the size of the mask and the shape of its non-white pixels; a null mask keeps
  // the window rectangular.
  void ShapeFromMask(const QImage& mask);
  // Bottom edge on the panel's top edge, right edge on the screen's right edge.
  void PlaceAboveTaskbar();

  QLabel* lStat() const { return lStat_; }
  QProgressBar* pbProgress() const { return pbProgress_; }
  QToolButton* sbCancel() const { return sbCancel_; }

  void sbCancelClick();
  // Places the controls in the shape (again after the Cancel caption changed).
  void LayoutControls();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  TPaintBox* pbClient_;
  QLabel* lStat_;
  QToolButton* sbCancel_;
  QProgressBar* pbProgress_;
};

}  // namespace kolvex
