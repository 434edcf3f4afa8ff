#include "ui/shell/ScanIndicator.h"

#include "ui/common/CatalogFolderService.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "ui/common/ElidedLabel.h"

namespace kolvex {

ScanIndicator::ScanIndicator(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("pScan");
  setCursor(Qt::PointingHandCursor);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  lScan_ = new ElidedLabel(Qt::ElideMiddle, this);
  lScan_->setObjectName("lScan");
  lScan_->setStyleSheet("color: #1d5650; font-weight: bold;");
  pbScan_ = new QProgressBar(this);
  pbScan_->setObjectName("pbScan");
  pbScan_->setRange(0, 100);
  pbScan_->setTextVisible(false);
  pbScan_->setFixedHeight(8);
  column->addWidget(lScan_);
  column->addWidget(pbScan_);
  hide();
}

void ScanIndicator::scanShown(const std::string& volume) {
  volume_ = volume;
  pbScan_->setValue(0);
  ApplyLanguage();
  show();
  raise();
}

void ScanIndicator::scanProgressed(int percent) { pbScan_->setValue(percent); }

void ScanIndicator::scanHidden() { hide(); }

void ScanIndicator::ApplyLanguage() {
  static_cast<ElidedLabel*>(lScan_)->setFullText(
      QString::fromStdString(context_.language.format("A080", {volume_})));
}

void ScanIndicator::mousePressEvent(QMouseEvent*) {
  context_.catalogs.raiseScanWindow();
}

}  // namespace kolvex
