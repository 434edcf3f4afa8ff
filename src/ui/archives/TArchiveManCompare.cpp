// The archive manager's comparisons: duplicates across the catalogs, the changes between
// two selected catalogs, and the verification of one catalog against its medium.
#include <QAction>
#include <QMenu>

#include "ui/archives/ArchiveListModel.h"
#include "ui/archives/TArchiveManFrame.h"
#include "ui/compare/TCompareForm.h"
#include "ui/duplicates/TDuplicatesForm.h"

namespace kolvex {

void TArchiveManFrame::BuildCompareMenus() {
  duplicates_ = std::make_unique<TDuplicatesForm>(context_, this);
  duplicates_->setWindowFlag(Qt::Window);
  connect(duplicates_.get(), &TDuplicatesForm::browseRequested, this, &KolvexView::browseRequested);
  compare_ = std::make_unique<TCompareForm>(context_, this);
  compare_->setWindowFlag(Qt::Window);
  pmArchiveMan_->addSeparator();
  miFindDuplicates_ = menuItem(pmArchiveMan_, "miFindDuplicates", 96010, "Find Duplicates...",
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
  miDiffArchives_ = menuItem(pmArchiveMan_, "miDiffArchives", 96011, "Compare Archives...",
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  miVerifyArchive_ = menuItem(pmArchiveMan_, "miVerifyArchive", 96012, "Verify Archive...",
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
  connect(miFindDuplicates_, &QAction::triggered, this, [this] { miFindDuplicatesClick(); });
  connect(miDiffArchives_, &QAction::triggered, this, [this] { miDiffArchivesClick(); });
  connect(miVerifyArchive_, &QAction::triggered, this, [this] { miVerifyArchiveClick(); });
}

void TArchiveManFrame::UpdateCompareCommands() {
  if (!miDiffArchives_) return;  // still being built
  miFindDuplicates_->setEnabled(!listed_.empty());
  miDiffArchives_->setEnabled(lvArchives_->selectedRows().size() == 2);
  miVerifyArchive_->setEnabled(!selectedArchive_.empty());
}

void TArchiveManFrame::miFindDuplicatesClick() {
  if (listed_.empty()) return;
  duplicates_->showCatalogs(listed_);
}

void TArchiveManFrame::miDiffArchivesClick() {
  const std::vector<int> rows = lvArchives_->selectedRows();
  if (rows.size() != 2) return;
  compare_->diff(model_->row(rows[0]).path.toStdString(), model_->row(rows[1]).path.toStdString());
}

void TArchiveManFrame::miVerifyArchiveClick() {
  if (selectedArchive_.empty()) return;
  compare_->verify(selectedArchive_);
}

}  // namespace kolvex
