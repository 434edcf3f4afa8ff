#pragma once
// The archive manager: every catalog of the catalog folder with its details, and the
// commands on catalogs (create, delete, browse, search, update, modify, refresh, list
// style) with their dialogs. The catalog folder service lists the folder and runs the
// scans; this view shows its list and asks it to change catalogs.
#include <memory>
#include <string>
#include <vector>

#include "core/app/DesktopShell.h"
#include "ui/common/KolvexView.h"
#include "ui/archives/ArchiveListView.h"

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QTextEdit;
class QToolButton;

namespace kolvex {

class ArchiveListModel;
class DesktopScanRunner;
class StatisticsDialog;
class TCompareForm;
class TDuplicatesForm;
class FittedTextBox;
class TAddArchiveForm;
class TImage;
class TModifyArchiveForm;
class TPaintBox;

class TArchiveManFrame : public KolvexView {
  Q_OBJECT

 public:
  TArchiveManFrame(AppContext& context, QWidget* parent);
  ~TArchiveManFrame() override;

  void ApplyLanguage() override;
  void SaveState(WindowState& state) const override;
  void RestoreState(const WindowState& state) override;

  // Asks the catalog folder service to read the folder again.
  void RefreshArchives();
  void CatalogsRefreshing() override;
  void CatalogsChanged(const std::vector<ArchiveListEntry>& catalogs) override;
  void OfferFolder(const std::string& folder) override;

  void ShowArchiveDetails(const std::string& path);
  const std::string& SelectedArchive() const { return selectedArchive_; }
  void UpdateSelectedArchive();

  void sbCreateArchiveClick();
  void sbDeleteClick();
  void sbPropertiesClick();
  void sbSearchClick();
  void miModifyArchiveClick();
  void sbChangeListStyleClick();

  // "Export..." of the selected catalog and the statistics window (TArchiveManReports.cpp).
  void miExportArchiveClick();
  void miStatisticsClick();
  StatisticsDialog* Statistics() const { return statistics_.get(); }

  // Duplicates across the catalogs, the changes between two selected catalogs and the
  // verification of one against its medium (TArchiveManCompare.cpp).
  void miFindDuplicatesClick();
  void miDiffArchivesClick();
  void miVerifyArchiveClick();
  TDuplicatesForm* Duplicates() const { return duplicates_.get(); }
  TCompareForm* Compare() const { return compare_.get(); }


  ArchiveListModel* Model() const { return model_; }
  ArchiveListView* List() const { return lvArchives_; }
  TAddArchiveForm* AddArchiveForm() const { return addForm_.get(); }
  TModifyArchiveForm* ModifyArchiveForm() const { return modifyForm_.get(); }
  DesktopScanRunner* Scans() const;
  QString StatusText() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* toolButton(const char* name, int tag, const char* caption, const char* hint,
                          int glyph);
  QAction* menuItem(QMenu* menu, const char* name, int tag, const char* caption,
                    const QKeySequence& shortcut);
  void BuildTools();
  void BuildDetails();
  void BuildMenus();
  void BuildReportMenus();
  void BuildCompareMenus();
  void UpdateCompareCommands();
  void LayoutDetails();
  void lvArchivesSelectItem();
  void SetSelectionCommandsEnabled(bool enabled);
  void SetStatus(const QString& text);
  void ShowEmptyHint();

  std::unique_ptr<TAddArchiveForm> addForm_;
  std::unique_ptr<TModifyArchiveForm> modifyForm_;
  std::string selectedArchive_;
  std::vector<ArchiveListEntry> listed_;  // the catalogs of the last refresh
  ArchiveListView::Place keptPlace_;      // where the user was while a refresh runs
  std::unique_ptr<StatisticsDialog> statistics_;
  QAction* miExportArchive_ = nullptr;
  QAction* miStatistics_ = nullptr;
  std::unique_ptr<TDuplicatesForm> duplicates_;
  std::unique_ptr<TCompareForm> compare_;
  QAction* miFindDuplicates_ = nullptr;
  QAction* miDiffArchives_ = nullptr;
  QAction* miVerifyArchive_ = nullptr;
  std::int64_t listedCount_ = -1;  // the catalogs of the last refresh, for the status text

  QWidget* pTools_;
  QScrollArea* sbTools_;
  TPaintBox* pbTools_;
  QToolButton* sbCreateArchive_;
  QToolButton* sbDelete_;
  QToolButton* sbProperties_;
  QToolButton* sbSearch_;
  QToolButton* sbUpdate_;
  QToolButton* sbModify_;
  QToolButton* sbRefresh_;
  QToolButton* sbChangeListStyle_;

  QScrollArea* sbLeftBar_;
  QWidget* pDetails_;
  TImage* iIcon_;
  QLabel* lArchiveCaption_;
  QLabel* lFileSystem_;
  QLabel* lArchiveSize_;
  QLabel* lSerialNumber_;
  QLabel* lDateTime_;
  QLabel* lRemovable_;
  FittedTextBox* mBaseDir_;
  QLabel* lDescription_;
  QPlainTextEdit* mDescription_;

  ArchiveListModel* model_;
  ArchiveListView* lvArchives_;
  QStatusBar* sbStatus_;

  QMenu* pmArchiveMan_;
  QAction* miDeleteArchive_;
  QAction* miBrowseArchive_;
  QAction* miSearchArchive_;
  QAction* miUpdateArchive_;
  QAction* miModifyArchive_;
  QAction* miCreateArchive_;
  QAction* miRefresh_;
  QAction* miDeleteDamaged_;
  QMenu* pmListStyle_;
  QPushButton* Button1_;
};

}  // namespace kolvex
