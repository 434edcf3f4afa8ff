#pragma once
// The archive explorer view: one catalog as a folder tree and a file list, with an
// address line, back/forward/up history, list styles, sorting, an information panel and
// the shell actions on the real item. The state lives in the core's ExplorerModel; this
// window shows it and forwards the user's clicks.
#include <memory>

#include "core/explorer/ExplorerModel.h"
#include "ui/common/KolvexView.h"
#include "ui/common/QtDesktopShell.h"
#include "ui/common/QtIconProvider.h"
#include "ui/explorer/ExplorerIcons.h"

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QModelIndex;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QTreeView;

namespace kolvex {

class FileListModel;
class FolderTreeModel;
class ElidedLabel;
class InfoPanel;
class SpaceMapView;
class TPaintBox;

class TArchiveExplorerFrame : public KolvexView, private ExplorerListener {
  Q_OBJECT

 public:
  // The list styles in the order of their menu items (tags 90102 to 90105), then the
  // space map (tag 95003), which shows the folder in place of the list.
  enum ListStyle { kLargeIcons, kList, kSmallIcons, kDetails, kSpaceMap };

  TArchiveExplorerFrame(AppContext& context, QWidget* parent);
  ~TArchiveExplorerFrame() override;

  void ApplyLanguage() override;
  void SaveState(WindowState& state) const override;
  void RestoreState(const WindowState& state) override;

  // The catalogs of the catalog selector, in the archive manager's order.
  void UpdatingArchiveList(const std::vector<ArchiveListEntry>& catalogs);
  // Shows the catalog (opening it when it is not shown) at a folder given as a stored path
  // ("X:\docs\"; empty for the root), selecting the entry of that name when it is not empty.
  void BrowseArchive(const std::string& catalogPath, const std::string& storedFolder,
                     const std::string& selectName) override;
  // Closes the catalog if it is shown (before it is deleted, rescanned or rewritten).
  void CloseIfShown(const std::string& catalogPath);

  void CatalogsChanged(const std::vector<ArchiveListEntry>& catalogs) override {
    UpdatingArchiveList(catalogs);
  }
  void LetGoOfCatalog(const std::string& catalogPath) override { CloseIfShown(catalogPath); }

  ExplorerModel& model() { return model_; }
  // Where the clipboard copies go (the desktop's clipboard unless a test sets one).
  void setClipboard(Clipboard* clipboard) { clipboard_ = clipboard ? clipboard : &ownClipboard_; }

  void setListStyle(ListStyle style);
  ListStyle listStyle() const { return style_; }
  // The entry selected in the list; null for none.
  const FolderEntry* selectedEntry() const;
  void selectRow(int row);

  // The handlers, named after their controls.
  void sbSearchClick();
  void sbCloseClick();
  void lvArchiveDblClick();
  void miExecuteItemClick(int tag);
  void miCopyNameClick();
  void miCopyPathClick();
  void miCopyPathNameClick();
  // Export of a folder of the open catalog with everything below it (the folder menu).
  void miExportFolderClick(const TreeNode* folder);
  SpaceMapView* spaceMap() const { return spaceMap_; }

 private:
  // ExplorerListener
  void busyChanged(ExplorerBusy busy) override;
  void treeAboutToChange() override;
  void treeChanged() override;
  void archiveListChanged() override;
  void folderChanged(const TreeNode* previous) override;
  void entriesAboutToChange() override;
  void entriesChanged() override;
  void navChanged() override;
  void progressChanged(std::int64_t position, std::int64_t maximum) override;

  void BuildTools();
  QWidget* BuildAddressLine();
  QWidget* BuildDirs();
  QWidget* BuildFiles();
  QWidget* BuildBottom();
  void BuildMenus();
  void BuildShortcuts();
  QToolButton* toolButton(const char* name, int tag, const char* icon, int y, int width);
  QToolButton* arrowButton(const char* name, QToolButton* beside);
  void popupAtTopRight(QMenu* menu, QWidget* button);
  void openHistoryMenu(bool back);
  void tvTreeClick(const QModelIndex& index);
  void cbArchivesChange(int index);
  void lvArchiveSelectItem();
  void ShowItemInfo(const FolderEntry* entry);
  void showStatus();
  void showSortIndicator();
  void updateToolStates();
  IconProvider& typeNames();
  // Export and the space map (TArchiveExplorerReports.cpp).
  void BuildReportMenus(QActionGroup* styles);
  void showSpaceMap();
  void spaceMapFolderClicked(std::int64_t position);
  void spaceMapFileActivated(std::int64_t file, std::int64_t folder);
  const TreeNode* nodeAtPosition(std::int64_t position) const;

  ExplorerModel model_;
  QtIconProvider ownTypeNames_;
  QtClipboard ownClipboard_;
  Clipboard* clipboard_ = &ownClipboard_;
  ExplorerIcons icons_;
  FolderTreeModel* treeModel_ = nullptr;
  FileListModel* listModel_ = nullptr;
  ListStyle style_ = kLargeIcons;
  // Restores the selection after a re-sort of the same folder.
  const TreeNode* listedNode_ = nullptr;
  std::int64_t selectedPosition_ = kNoRecord;

  QWidget* pTools_ = nullptr;
  TPaintBox* pbTools_ = nullptr;
  QToolButton* sbBack_ = nullptr;
  QToolButton* sbBackMenu_ = nullptr;
  QToolButton* sbFore_ = nullptr;
  QToolButton* sbForeMenu_ = nullptr;
  QToolButton* sbUp_ = nullptr;
  QToolButton* sbSearch_ = nullptr;
  QToolButton* sbView_ = nullptr;
  QToolButton* sbSortBy_ = nullptr;
  QToolButton* sbClose_ = nullptr;
  ElidedLabel* lAddress_ = nullptr;
  QComboBox* cbArchives_ = nullptr;
  QComboBox* cbFiles_ = nullptr;
  QStackedWidget* pDirs_ = nullptr;
  QTreeView* tvTree_ = nullptr;
  InfoPanel* sbLeftBar_ = nullptr;
  QStackedWidget* pFiles_ = nullptr;
  QListView* lvArchive_ = nullptr;
  QTreeView* lvReport_ = nullptr;
  QLabel* sbStatus_ = nullptr;
  QProgressBar* pbProgress_ = nullptr;
  QMenu* pmBack_ = nullptr;
  QMenu* pmFore_ = nullptr;
  QMenu* pmListStyle_ = nullptr;
  QMenu* pmSortBy_ = nullptr;
  QMenu* pmShell_ = nullptr;
  QAction* styleItems_[5] = {};
  QAction* sortItems_[4] = {};  // by list column: name, kind, date, size
  ListStyle listStyleBeforeMap_ = kLargeIcons;
  SpaceMapView* spaceMap_ = nullptr;
  QMenu* pmFolder_ = nullptr;
  QAction* shellItems_[6] = {};
  QPushButton* Button1_ = nullptr;
};

}  // namespace kolvex
