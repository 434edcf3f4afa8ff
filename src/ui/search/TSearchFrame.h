#pragma once
// The search view: the criteria box on top, the run controls in the tool column, the
// results with their information bar below, and the status strip with the progress of
// the whole run. The run itself is the search engine's; this view shows its
// state and its hits and acts on the hits.
#include <QTimer>
#include <memory>
#include <vector>

#include "core/app/DesktopShell.h"
#include "core/catalog/LocateOnMedia.h"
#include "core/search/SearchEngine.h"
#include "ui/common/KolvexView.h"
#include "ui/search/HitActions.h"
#include "ui/search/HitAppearance.h"

class QAbstractItemView;
class QLabel;
class QListView;
class QMenu;
class QProgressBar;
class QSplitter;
class QStackedWidget;
class QToolButton;
class QTreeView;

namespace kolvex {

class CriteriaBox;
class InfoPanel;
class SearchResultModel;

class TSearchFrame : public KolvexView, private SearchListener {
  Q_OBJECT

 public:
  enum ListStyle { kIconStyle, kListStyle, kSmallIconStyle, kReportStyle };

  TSearchFrame(AppContext& context, QWidget* parent);
  ~TSearchFrame() override;

  void ApplyLanguage() override;
  void SaveState(WindowState& state) const override;
  void RestoreState(const WindowState& state) override;
  // Column captions, summaries, categories and the tagged controls' texts.
  void RefreshTexts();

  // The catalogs to search, all ticked, in the archive manager's order.
  void UpdatingArchiveList(const std::vector<ArchiveListEntry>& catalogs);
  void CatalogsChanged(const std::vector<ArchiveListEntry>& catalogs) override {
    UpdatingArchiveList(catalogs);
  }
  // Unticks every catalog but this one.
  void SearchOnly(const std::string& catalogPath) override;
  void StopWork() override { engine_.StopClick(); }

  SearchEngine& engine() { return engine_; }
  SearchResultModel& results() { return *model_; }
  // The clipboard seam (the desktop's by default).
  void setClipboard(Clipboard* clipboard);
  // Where catalogued items are looked for (the running system's volumes by default).
  void setVolumeSource(MediaLocator::VolumeSource volumes);

  void setListStyle(ListStyle style);
  ListStyle listStyle() const { return style_; }
  // The list view of the current style.
  QAbstractItemView* currentList() const;
  // Selects a row of the results (-1: none).
  void selectRow(int row);
  int selectedRow() const;

  // The row actions, on the selected row.
  void lvArchiveColumnClick(int column);
  void miShellAction(int tag);
  void miBrowseArchiveClick();
  void lvArchiveDblClick();
  void sbClearResultClick();

 public:
  // "Export..." of the results menu: every hit in the order shown.
  void miExportResultsClick();

 private:
  // SearchListener
  void stateChanged(SearchState state) override;
  void resultsCleared() override;
  void hitFound(TTSearchResultItem&& hit) override;
  void statusChanged(const std::string& text) override;
  void progressStarted(std::int64_t maximum) override;
  void progressChanged(std::int64_t position) override;
  void progressEnded() override;

  void BuildTools();
  void BuildResults();
  void BuildStatusStrip();
  void BuildMenus();
  QToolButton* toolButton(const char* name, int tag);
  // Hits come in between two rounds of window events; they reach the list in one go.
  void flushPending();
  QByteArray reportColumns() const;
  void SetControls(SearchState state);
  void ShowItemInfo(const TTSearchResultItem* hit, int row);
  void selectionChanged();
  void copyText(int tag);
  void popupBeside(QMenu* menu, QWidget* button);

  SearchEngine engine_;
  HitAppearance appearance_;
  HitActions actions_;
  std::string folderText_;
  std::vector<TTSearchResultItem> pending_;
  std::vector<int> pendingIcons_;
  ListStyle style_ = kIconStyle;
  // The report's column widths and order while it is not the style shown.
  QByteArray reportColumns_;

  CriteriaBox* box_;
  QSplitter* sSearchOps_;
  QWidget* pTools_;
  QToolButton *sbSearch_, *sbPause_, *sbStop_, *sbClearResult_, *sbView_, *sbSortBy_;
  QLabel* pPaused_;
  QStackedWidget* lists_;
  QListView* lvArchive_;
  QTreeView* lvArchiveReport_;
  SearchResultModel* model_;
  InfoPanel* sbLeftBar_;
  QWidget* statusStrip_;
  QLabel* sbSearchStatus_;
  QProgressBar* pbSubSearch_;
  QMenu *pmListStyle_ = nullptr, *pmSortBy_ = nullptr, *pmShell_ = nullptr;
  QTimer TimerPaused_;
  QTimer TimerInitFrame_;
  QAction* miExportResults_ = nullptr;
};

}  // namespace kolvex
