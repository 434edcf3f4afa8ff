#include "ui/catalog/TAddingForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "core/catalog/ScanState.h"
#include "ui/common/InterfaceTexts.h"

namespace kolvex {

TAddingForm::TAddingForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint) {
  setObjectName("TAddingForm");
  setTag(this, 81000);
  setWindowTitle("Adding...");
  setModal(false);
  // The dialog takes the width its status line needs (the volume's name comes first), never
  // less than its own.
  auto* grid = new QGridLayout(this);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  grid->setContentsMargins(8, 6, 8, 6);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(4);
  lStat_ = new QLabel(this);
  lStat_->setObjectName("lStat");
  lStat_->setMinimumWidth(330);
  pbProgress_ = new QProgressBar(this);
  pbProgress_->setObjectName("pbProgress");
  pbProgress_->setFixedHeight(18);
  pbProgress_->setTextVisible(false);
  bCancel_ = new QPushButton("&Cancel", this);
  bCancel_->setObjectName("bCancel");
  setTag(bCancel_, 91101);
  bCancel_->setMinimumSize(78, 28);
  bCancel_->setAutoDefault(false);
  grid->addWidget(lStat_, 0, 0);
  grid->addWidget(pbProgress_, 1, 0);
  grid->addWidget(bCancel_, 0, 1, 2, 1, Qt::AlignVCenter);
  connect(bCancel_, &QPushButton::clicked, this, [this] { bCancelClick(); });
  Button1_ = new QPushButton("Save Interface", this);
  Button1_->setObjectName("Button1");
  Button1_->hide();
}

void TAddingForm::bCancelClick() { TheScanState().AddingCancelled = true; }

void TAddingForm::reject() { bCancelClick(); }

}  // namespace kolvex
