#include "ui/catalog/TFlatAddingForm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QToolButton>

#include "core/catalog/ScanState.h"
#include "ui/common/ElidedLabel.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/SkinWidgets.h"
#include "ui/common/TilePaint.h"

namespace kolvex {
namespace {

// The mask leaves room at its edges for the shape's curves; the controls keep inside.
constexpr int kMargin = 14;

}  // namespace

TFlatAddingForm::TFlatAddingForm(const Skin& skin, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("TFlatAddingForm");
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
  setPalette(pal);
  resize(kClientWidth, kClientHeight);

  pbClient_ = new TPaintBox(skin, 5, this);
  pbClient_->setObjectName("pbClient");
  // The mask's shape leaves one short line: a long volume name is shortened in its middle.
  lStat_ = new ElidedLabel(Qt::ElideMiddle, this);
  lStat_->setObjectName("lStat");
  lStat_->setAttribute(Qt::WA_TranslucentBackground);
  sbCancel_ = new QToolButton(this);
  sbCancel_->setObjectName("sbCancel");
  setTag(sbCancel_, 91101);
  sbCancel_->setText("&Cancel");
  sbCancel_->setAutoRaise(true);
  connect(sbCancel_, &QToolButton::clicked, this, [this] { sbCancelClick(); });
  pbProgress_ = new QProgressBar(this);
  pbProgress_->setObjectName("pbProgress");
  pbProgress_->setTextVisible(false);
  pbProgress_->setMaximumHeight(14);
}

void TFlatAddingForm::sbCancelClick() { TheScanState().AddingCancelled = true; }

void TFlatAddingForm::ShapeFromMask(const QImage& mask) {
  if (mask.isNull()) {
    clearMask();
    return;
  }
  resize(mask.size());
  setMask(RegionFromBitmap(mask, qRgb(255, 255, 255)));
}

void TFlatAddingForm::PlaceAboveTaskbar() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect available = screen->availableGeometry();
  move(available.right() - width() + 1, available.bottom() - height() + 1);
}

void TFlatAddingForm::resizeEvent(QResizeEvent*) { LayoutControls(); }

void TFlatAddingForm::LayoutControls() {
  const int w = width(), h = height();
  pbClient_->setGeometry(rect());
  const int buttonW = sbCancel_->sizeHint().width() + 4, buttonH = 22;
  sbCancel_->setGeometry(w - kMargin - buttonW, kMargin - 4, buttonW, buttonH);
  lStat_->setGeometry(kMargin, kMargin - 4, std::max(0, w - 3 * kMargin - buttonW), buttonH);
  pbProgress_->setGeometry(kMargin, std::max(kMargin + 20, h - kMargin - 14),
                           std::max(0, w - 2 * kMargin), 14);
}

}  // namespace kolvex
