#pragma once
// The statistics window of the archive manager: one catalog or all of them, with the
// numbers (files, folders, size, capacity and fill), a pie of the space by kind of file,
// a bar chart of the extensions that take the most space, and the rankings of the
// largest files and folders and the oldest and newest files. Figures of a catalog are
// read once per opening of the window and kept while it is open.
#include <QDialog>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/explorer/ArchiveListEntry.h"
#include "core/report/CatalogStatistics.h"
#include "mime/QtFileKindClassifier.h"
#include "ui/common/AppContext.h"

class QChart;
class QChartView;
class QComboBox;
class QFormLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace kolvex {

class StatisticsDialog : public QDialog {
  Q_OBJECT

 public:
  StatisticsDialog(AppContext& context, QWidget* parent);
  ~StatisticsDialog() override;

  // Shows the window for these catalogs, with the one at path chosen (all of them when
  // path is empty or not among them).
  void showCatalogs(const std::vector<ArchiveListEntry>& catalogs, const std::string& path);
  void ApplyLanguage();

  // What is shown: the figures, the number of the entry chosen (0 for all catalogs).
  const CatalogStatistics& shown() const { return shown_; }
  QComboBox* catalogChoice() const { return cbCatalogs_; }
  QChartView* kindChart() const { return kindView_; }
  QChartView* extensionChart() const { return extensionView_; }

 private:
  void choose(int index);
  // The figures of one catalog, read when not known yet; false when stopped or failed.
  bool statisticsOf(const ArchiveListEntry& catalog, CatalogStatistics& into);
  void showFigures();
  void fillKindChart();
  void fillExtensionChart();
  void fillCounts();
  void fillRanking(QTreeWidget* list, const std::vector<RankedEntry>& entries, bool byDate);
  QString message(const char* key) const;

  AppContext& context_;
  QtFileKindClassifier mime_;
  std::vector<ArchiveListEntry> catalogs_;
  std::map<std::string, CatalogStatistics> known_;  // by catalog file
  CatalogStatistics shown_;
  int generation_ = 0;  // a new choice during a reading stops that reading
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

  QComboBox* cbCatalogs_;
  QLabel* lProgress_;
  QProgressBar* pbProgress_;
  QFormLayout* figures_;
  QLabel* values_[6];
  QChart* kindChart_;
  QChartView* kindView_;
  QChart* extensionChart_;
  QChartView* extensionView_;
  QTabWidget* rankings_;
  QTreeWidget* lists_[6];  // kinds, extensions, then the four rankings
  QPushButton* bClose_;
};

}  // namespace kolvex
