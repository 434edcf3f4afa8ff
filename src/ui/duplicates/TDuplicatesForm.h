#pragma once
// The duplicates window of the archive manager: the files that exist more than once
// across the ticked catalogs, the group wasting the most space first, each copy with its
// catalog, its path as scanned and whether its medium is mounted now. A selected copy
// shows in the information panel and offers the search's item actions. The catalogs are
// read on a thread of their own; Cancel stops between two catalogs.
#include <QDialog>
#include <atomic>
#include <string>
#include <vector>

#include "core/catalog/LocateOnMedia.h"
#include "core/explorer/ArchiveListEntry.h"
#include "ui/common/AppContext.h"
#include "ui/common/BackgroundTask.h"
#include "ui/search/HitActions.h"
#include "ui/search/HitAppearance.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTreeView;

namespace kolvex {

class DuplicateListModel;
class InfoPanel;

class TDuplicatesForm : public QDialog {
  Q_OBJECT

 public:
  TDuplicatesForm(AppContext& context, QWidget* parent);
  ~TDuplicatesForm() override;

  // Shows the window over these catalogs, every one ticked, and looks for duplicates.
  void showCatalogs(const std::vector<ArchiveListEntry>& catalogs);
  void ApplyLanguage();

  // Looks for duplicates in the ticked catalogs (the last search is stopped first).
  void bFindClick();
  void bStopClick();
  bool searching() const { return task_.running(); }
  // Waits for the search running and shows its groups (tests).
  void finishNow() { task_.finishNow(); }

  DuplicateListModel& groups() const { return *model_; }
  QTreeView* list() const { return tvGroups_; }
  QListWidget* catalogList() const { return lbArchives_; }
  QString statusText() const;
  // Selects the copy of a group (-1: the group row itself).
  void selectCopy(int group, int copy);
  HitActions& actions() { return actions_; }
  // Where media are looked for (the running system's volumes by default).
  void setVolumeSource(MediaLocator::VolumeSource volumes);

  void miItemAction(int tag);

 signals:
  // Browse Archive on a copy: the explorer is to show it (see KolvexView).
  void browseRequested(const std::string& catalogPath, const std::string& storedFolder,
                       const std::string& selectName);

 private:
  void BuildControls();
  void selectionChanged();
  void setSearching(bool searching);
  std::vector<std::string> tickedCatalogs() const;
  QString message(const char* key) const;

  AppContext& context_;
  HitAppearance appearance_;
  HitActions actions_;
  BackgroundTask task_;
  MediaLocator::VolumeSource volumes_;
  std::atomic<int> reading_{0};  // the catalog being read, counted from 1
  int readingOf_ = 0;

  QListWidget* lbArchives_;
  QLabel* lArchives_;
  QCheckBox* cbByContent_;
  QCheckBox* cbSameTime_;
  QLabel* lMinSize_;
  QSpinBox* seMinSize_;
  QPushButton* bFind_;
  QPushButton* bStop_;
  QPushButton* bClose_;
  InfoPanel* sbLeftBar_;
  QTreeView* tvGroups_;
  DuplicateListModel* model_;
  QLabel* lStatus_;
  QProgressBar* pbProgress_;
  QMenu* pmItem_;
};

}  // namespace kolvex
