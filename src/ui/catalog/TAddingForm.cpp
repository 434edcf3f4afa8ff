#include "ui/catalog/TAddingForm.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "core/catalog/ScanState.h"
#include "ui/app/InterfaceTexts.h"

namespace kolvex {

TAddingForm::TAddingForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint) {
  setObjectName("TAddingForm");
  setTag(this, 81000);
  setWindowTitle("Adding...");
  setFixedSize(kClientWidth, kClientHeight);
  setModal(false);

  lStat_ = new QLabel(this);
  lStat_->setObjectName("lStat");
  lStat_->setGeometry(8, 6, 330, 18);
  pbProgress_ = new QProgressBar(this);
  pbProgress_->setObjectName("pbProgress");
  pbProgress_->setGeometry(8, 28, 330, 18);
  pbProgress_->setTextVisible(false);
  bCancel_ = new QPushButton("&Cancel", this);
  bCancel_->setObjectName("bCancel");
  setTag(bCancel_, 91101);
  bCancel_->setGeometry(348, 14, 78, 28);
  bCancel_->setAutoDefault(false);
  connect(bCancel_, &QPushButton::clicked, this, [this] { bCancelClick(); });
  Button1_ = new QPushButton("Save Interface", this);
  Button1_->setObjectName("Button1");
  Button1_->hide();
}

void TAddingForm::bCancelClick() { TheScanState().AddingCancelled = true; }

void TAddingForm::reject() { bCancelClick(); }

}  // namespace kolvex
