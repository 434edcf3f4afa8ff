// The archive manager's "Export..." of the selected catalog and its statistics window.
#include <QAction>
#include <QMenu>

#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"
#include "ui/archives/TArchiveManFrame.h"
#include "ui/report/ExportFile.h"
#include "ui/report/StatisticsDialog.h"

namespace kolvex {

void TArchiveManFrame::BuildReportMenus() {
  pmArchiveMan_->addSeparator();
  miExportArchive_ = menuItem(pmArchiveMan_, "miExportArchive", 95001, "Export...",
                              QKeySequence(Qt::CTRL | Qt::Key_E));
  miStatistics_ = menuItem(pmArchiveMan_, "miStatistics", 95002, "Statistics...",
                           QKeySequence(Qt::CTRL | Qt::Key_I));
  connect(miExportArchive_, &QAction::triggered, this, [this] { miExportArchiveClick(); });
  connect(miStatistics_, &QAction::triggered, this, [this] { miStatisticsClick(); });
}

void TArchiveManFrame::miExportArchiveClick() {
  if (selectedArchive_.empty()) return;
  std::string label;
  for (const ArchiveListEntry& c : listed_)
    if (c.path == selectedArchive_) label = c.label;
  ExportFile(context_, this).catalogFolder(selectedArchive_, kNoRecord, "/", label);
}

void TArchiveManFrame::miStatisticsClick() {
  if (!statistics_) statistics_ = std::make_unique<StatisticsDialog>(context_, this);
  statistics_->showCatalogs(listed_, selectedArchive_);
}

}  // namespace kolvex
