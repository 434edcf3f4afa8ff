#include "ui/search/TSearchFrame.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "core/catalog/FormatSize.h"
#include "ui/common/ChoiceMenu.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/ItemViews.h"
#include "ui/common/WindowState.h"
#include "ui/common/Skin.h"
#include "ui/common/SkinWidgets.h"
#include "ui/explorer/InfoPanel.h"
#include "ui/search/CriteriaBox.h"
#include "ui/search/HitOrder.h"
#include "ui/search/HitTexts.h"
#include "ui/search/SearchResultModel.h"
#include "ui/report/ExportFile.h"
#include "ui/common/QtText.h"

namespace kolvex {
namespace {

constexpr int kToolsWidth = 120;
constexpr int kLeftBarWidth = 165;

}  // namespace

TSearchFrame::TSearchFrame(AppContext& context, QWidget* parent)
    : KolvexView(context, parent),
      engine_(context.pump, context.dialogs, context.language),
      actions_(context) {
  setObjectName("TSearchFrame");
  engine_.setListener(this);
  engine_.setIndexed(true);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  auto* body = new QHBoxLayout;
  body->setSpacing(0);
  outer->addLayout(body, 1);

  sSearchOps_ = new QSplitter(Qt::Vertical, this);
  sSearchOps_->setObjectName("sSearchOps");
  sSearchOps_->setChildrenCollapsible(false);
  box_ = new CriteriaBox(context, engine_, this, sSearchOps_);
  sSearchOps_->addWidget(box_);
  BuildResults();
  sSearchOps_->setStretchFactor(0, 0);
  sSearchOps_->setStretchFactor(1, 1);
  sSearchOps_->setSizes({CriteriaBox::kHeight, 400});
  body->addWidget(sSearchOps_, 1);
  BuildTools();
  body->addWidget(pTools_);
  BuildStatusStrip();
  outer->addWidget(statusStrip_);
  BuildMenus();

  TimerPaused_.setObjectName("TimerPaused");
  TimerPaused_.setInterval(500);
  connect(&TimerPaused_, &QTimer::timeout, this, [this] { pPaused_->setVisible(!pPaused_->isVisible()); });
  TimerInitFrame_.setObjectName("TimerInitFrame");
  TimerInitFrame_.setSingleShot(true);
  TimerInitFrame_.setInterval(1000);
  connect(&TimerInitFrame_, &QTimer::timeout, this, [this] {
    appearance_.setIconsReady(true);
    if (model_->rowCount() > 0)
      emit model_->dataChanged(model_->index(0, 0), model_->index(model_->rowCount() - 1, 0),
                               {Qt::DecorationRole});
  });

  RefreshTexts();
  ShowItemInfo(nullptr, -1);
  SetControls(SearchState::Idle);
  TimerInitFrame_.start();
}

TSearchFrame::~TSearchFrame() {
  engine_.setListener(nullptr);
  engine_.StopClick();
  // The lists and the model read the hit appearance up to their end, so they go before
  // the members do.
  qDeleteAll(findChildren<QObject*>(Qt::FindDirectChildrenOnly));
}

QToolButton* TSearchFrame::toolButton(const char* name, int tag) {
  auto* b = new QToolButton(pTools_);
  b->setObjectName(name);
  setTag(b, tag);
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  b->setMinimumHeight(28);
  return b;
}

void TSearchFrame::BuildTools() {
  pTools_ = new QWidget(this);
  pTools_->setObjectName("pTools");
  pTools_->setFixedWidth(kToolsWidth);
  auto* pbTools = new TPaintBox(context_.skin, 5, pTools_);
  pbTools->setObjectName("pbTools");
  pbTools->setGeometry(0, 0, kToolsWidth, 4000);
  auto* v = new QVBoxLayout(pTools_);
  v->setContentsMargins(8, 10, 8, 10);
  sbSearch_ = toolButton("sbSearch", 20002);
  sbPause_ = toolButton("sbPause", 20003);
  sbStop_ = toolButton("sbStop", 20004);
  sbClearResult_ = toolButton("sbClearResult", 20001);
  pPaused_ = new QLabel(pTools_);
  pPaused_->setObjectName("pPaused");
  setTag(pPaused_, 20029);
  pPaused_->setAlignment(Qt::AlignCenter);
  pPaused_->setWordWrap(true);
  pPaused_->setMinimumHeight(36);
  pPaused_->setStyleSheet(
      "background: #c62828; color: white; font-weight: bold; border-radius: 3px; padding: 3px;");
  sbView_ = toolButton("sbView", 90101);
  sbSortBy_ = toolButton("sbSortBy", 90301);
  for (QWidget* w : {sbSearch_, sbPause_, sbStop_}) v->addWidget(w);
  v->addSpacing(12);
  v->addWidget(sbClearResult_);
  v->addSpacing(12);
  v->addWidget(pPaused_);
  v->addStretch();
  v->addWidget(sbView_);
  v->addWidget(sbSortBy_);

  connect(sbSearch_, &QToolButton::clicked, this, [this] { engine_.SearchClick(); });
  connect(sbPause_, &QToolButton::clicked, this, [this] { engine_.PauseClick(); });
  connect(sbStop_, &QToolButton::clicked, this, [this] { engine_.StopClick(); });
  connect(sbClearResult_, &QToolButton::clicked, this, [this] { sbClearResultClick(); });
  connect(sbView_, &QToolButton::clicked, this, [this] { popupBeside(pmListStyle_, sbView_); });
  connect(sbSortBy_, &QToolButton::clicked, this, [this] { popupBeside(pmSortBy_, sbSortBy_); });
}

void TSearchFrame::BuildResults() {
  auto* lower = new QWidget(sSearchOps_);
  lower->setObjectName("pResults");
  auto* h = new QHBoxLayout(lower);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(0);
  sbLeftBar_ = new InfoPanel(lower);
  sbLeftBar_->setPicture(context_.skin.LeftBar);
  h->addWidget(sbLeftBar_);

  model_ = new SearchResultModel(appearance_, this);
  lists_ = new QStackedWidget(lower);
  lvArchive_ = new QListView(lists_);
  lvArchive_->setObjectName("lvArchive");
  // Laid out in one pass: hits arrive at every round of events during a run, and a batched
  // layout starts over with each arrival and shows nothing until the run ends. With items
  // of one size a pass costs little even for hundreds of thousands of hits.
  lvArchive_->setUniformItemSizes(true);
  lvArchive_->setResizeMode(QListView::Adjust);
  lvArchiveReport_ = new QTreeView(lists_);
  fitColumnsOnResize(lvArchiveReport_);
  lvArchiveReport_->setObjectName("lvArchiveReport");
  lvArchiveReport_->setRootIsDecorated(false);
  lvArchiveReport_->setUniformRowHeights(true);
  lvArchiveReport_->setItemsExpandable(false);
  lvArchiveReport_->header()->setSectionsClickable(true);
  // The last column (the hit's folder) takes the room the others leave.
  lvArchiveReport_->header()->setStretchLastSection(true);
  useGridItems(lvArchive_);
  connect(lvArchiveReport_->header(), &QHeaderView::sectionClicked, this,
          [this](int column) { lvArchiveColumnClick(column); });
  for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(lvArchive_),
                               static_cast<QAbstractItemView*>(lvArchiveReport_)}) {
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(v, &QWidget::customContextMenuRequested, this,
            [this, v](const QPoint& at) { pmShell_->popup(v->viewport()->mapToGlobal(at)); });
    // A double click, or Enter on the selected row.
    connect(v, &QAbstractItemView::activated, this, [this] { lvArchiveDblClick(); });
    lists_->addWidget(v);
  }
  h->addWidget(lists_, 1);
  sSearchOps_->addWidget(lower);
  setListStyle(kIconStyle);
}

void TSearchFrame::BuildStatusStrip() {
  statusStrip_ = new QWidget(this);
  statusStrip_->setObjectName("pStatus");
  auto* h = new QHBoxLayout(statusStrip_);
  h->setContentsMargins(4, 2, 4, 2);
  pbSubSearch_ = new QProgressBar(statusStrip_);
  pbSubSearch_->setObjectName("pbSubSearch");
  pbSubSearch_->setTextVisible(false);
  pbSubSearch_->setMaximumHeight(16);
  pbSubSearch_->hide();
  sbSearchStatus_ = new QLabel(statusStrip_);
  sbSearchStatus_->setObjectName("sbSearchStatus");
  sbSearchStatus_->setMinimumHeight(20);
  h->addWidget(pbSubSearch_, 1);
  h->addWidget(sbSearchStatus_, 1);
}

void TSearchFrame::BuildMenus() {
  auto action = [](QMenu* menu, const char* name, int tag) {
    QAction* a = menu->addAction(QString());
    a->setObjectName(name);
    setTag(a, tag);
    return a;
  };
  pmListStyle_ = new QMenu(this);
  pmListStyle_->setObjectName("pmListStyle");
  const std::pair<const char*, ListStyle> styles[] = {{"miIcon", kIconStyle},
                                                      {"miList", kListStyle},
                                                      {"miSmallIcon", kSmallIconStyle},
                                                      {"miReport", kReportStyle}};
  int tag = 90102;
  for (auto [name, style] : styles) {
    QAction* a = action(pmListStyle_, name, tag++);
    a->setData(static_cast<int>(style));
    connect(a, &QAction::triggered, this, [this, style] { setListStyle(style); });
  }
  markChoiceOnShow(pmListStyle_, [this] { return static_cast<int>(style_); });

  pmSortBy_ = new QMenu(this);
  pmSortBy_->setObjectName("pmSortBy");
  pmSortBy_->setToolTipsVisible(true);
  const std::pair<const char*, int> sorts[] = {{"misbName", 90302},
                                               {"misbArchive", 90306},
                                               {"misbKind", 90303},
                                               {"misbDate", 90304},
                                               {"misbSize", 90305}};
  for (auto [name, t] : sorts)
    connect(action(pmSortBy_, name, t), &QAction::triggered, this,
            [this, t] { lvArchiveColumnClick(ColumnOfSortTag(t)); });

  pmShell_ = new QMenu(this);
  pmShell_->setObjectName("pmShell");
  pmShell_->setToolTipsVisible(true);
  HitActions::addToMenu(pmShell_, [this](int chosen) {
    if (chosen == kHitBrowseArchive)
      miBrowseArchiveClick();
    else if (chosen == kHitExecute || chosen == kHitBrowseFolder || chosen == kHitPrint)
      miShellAction(chosen);
    else
      copyText(chosen);
  });
  pmShell_->addSeparator();
  // Export takes every hit, whichever is selected.
  miExportResults_ = action(pmShell_, "miExportResults", 95001);
  connect(miExportResults_, &QAction::triggered, this, [this] { miExportResultsClick(); });
}

void TSearchFrame::miExportResultsClick() {
  std::vector<TTSearchResultItem> hits;
  hits.reserve(static_cast<std::size_t>(model_->rowCount()));
  for (int row = 0; row < model_->rowCount(); ++row)
    if (const TTSearchResultItem* hit = model_->hitAt(row)) hits.push_back(*hit);
  if (hits.empty()) return;
  ExportFile(context_, this).searchHits(hits, engine_.mask());
}

void TSearchFrame::popupBeside(QMenu* menu, QWidget* button) {
  menu->popup(button->mapToGlobal(button->rect().topRight()));
}

void TSearchFrame::ApplyLanguage() { RefreshTexts(); }

void TSearchFrame::RefreshTexts() {
  LanguageFile& language = context_.language;
  model_->setCaptions({qtText(language.message("A012")), qtText(language.message("A021")),
                       qtText(language.message("A013")), qtText(language.message("A014")),
                       qtText(language.message("A015")), qtText(language.message("A077"))});
  folderText_ = language.message("A016");
  box_->RefreshSummaries();
  box_->LoadCategories();
  KolvexView::ApplyLanguage();
  // The Search button's caption follows the state (Search or Resume).
  sbSearch_->setText(qtText(engine_.searchCaption()));
  // A finished run's count is told again in the new language (a running one tells its
  // next step in it anyway).
  if (engine_.state() == SearchState::Idle && !sbSearchStatus_->text().isEmpty())
    sbSearchStatus_->setText(qtText(language.format("A046", {engine_.hitCount()})));
  selectionChanged();
  if (style_ == kReportStyle) widenColumnsToContents(lvArchiveReport_);
}

void TSearchFrame::setClipboard(Clipboard* clipboard) { actions_.setClipboard(clipboard); }

void TSearchFrame::setVolumeSource(MediaLocator::VolumeSource volumes) {
  actions_.setVolumeSource(std::move(volumes));
}

// --- Catalog list

void TSearchFrame::UpdatingArchiveList(const std::vector<ArchiveListEntry>& catalogs) {
  std::vector<CheckedArchive> list;
  list.reserve(catalogs.size());
  for (const ArchiveListEntry& e : catalogs) list.push_back({e.label, e.path, true});
  engine_.setArchives(std::move(list));
  box_->archivesReloaded();
}

void TSearchFrame::SearchOnly(const std::string& catalogPath) {
  engine_.CheckOnly(catalogPath);
  box_->ticksChanged();
}

// --- The run

void TSearchFrame::SetControls(SearchState state) {
  const SearchControls c = ControlsOf(state);
  box_->setCriteriaEnabled(c.criteriaEnabled);
  sbClearResult_->setEnabled(c.clearEnabled);
  sbStop_->setEnabled(c.stopEnabled);
  sbPause_->setEnabled(c.pauseEnabled);
  sbSearch_->setEnabled(c.searchEnabled);
  sbSearch_->setText(qtText(context_.language.message(c.searchCaptionKey)));
  pPaused_->setVisible(c.pausedShown);
  if (c.pausedShown)
    TimerPaused_.start();
  else
    TimerPaused_.stop();
}

void TSearchFrame::stateChanged(SearchState state) {
  flushPending();
  SetControls(state);
  // The run is over and the view usable: say which catalogs it had to leave out.
  if (state == SearchState::Idle && !engine_.skipped().empty())
    context_.dialogs.message(MessageKind::Error,
                             SkippedCatalogsText(context_.language, engine_.skipped()));
}

QByteArray TSearchFrame::reportColumns() const {
  return lvArchiveReport_->model() ? lvArchiveReport_->header()->saveState() : reportColumns_;
}

void TSearchFrame::SaveState(WindowState& state) const {
  state.setValue("Search/ListStyle", static_cast<int>(style_));
  state.setValue("Search/Columns", reportColumns());
  state.setValue("Search/ColumnCount", static_cast<int>(SearchResultModel::kColumnCount));
  state.saveSplitter("Search/Criteria", sSearchOps_);
}

void TSearchFrame::RestoreState(const WindowState& state) {
  // Columns of another version's list (another number of them) are not taken.
  if (state.value("Search/ColumnCount").toInt() == SearchResultModel::kColumnCount)
    reportColumns_ = state.value("Search/Columns").toByteArray();
  const int style = state.value("Search/ListStyle", static_cast<int>(style_)).toInt();
  if (lvArchiveReport_->model()) lvArchiveReport_->setModel(nullptr);  // takes them anew
  setListStyle(style >= kIconStyle && style <= kReportStyle ? static_cast<ListStyle>(style)
                                                            : style_);
  state.restoreSplitter("Search/Criteria", sSearchOps_);
}

void TSearchFrame::resultsCleared() {
  sbClearResultClick();
  // Rows stay in the order in which they are found.
  model_->setSortKey(kHitSortNone);
  lvArchiveReport_->header()->setSortIndicatorShown(false);
}

void TSearchFrame::hitFound(TTSearchResultItem&& hit) {
  pendingIcons_.push_back(appearance_.describe(hit, folderText_));
  pending_.push_back(std::move(hit));
}

void TSearchFrame::flushPending() {
  if (pending_.empty()) return;
  model_->add(std::move(pending_), std::move(pendingIcons_));
  pending_.clear();
  pendingIcons_.clear();
  if (style_ == kReportStyle) widenColumnsToContents(lvArchiveReport_);
}

void TSearchFrame::statusChanged(const std::string& text) {
  flushPending();
  sbSearchStatus_->setText(qtText(text));
}

void TSearchFrame::progressStarted(std::int64_t maximum) {
  // The bar takes the strip's left half; it runs once over the whole run.
  pbSubSearch_->setRange(0, static_cast<int>(std::min<std::int64_t>(maximum, INT_MAX)));
  pbSubSearch_->setValue(0);
  pbSubSearch_->show();
}

void TSearchFrame::progressChanged(std::int64_t position) {
  flushPending();
  pbSubSearch_->setValue(static_cast<int>(std::min<std::int64_t>(position, INT_MAX)));
}

void TSearchFrame::progressEnded() {
  flushPending();
  pbSubSearch_->hide();
}

void TSearchFrame::sbClearResultClick() {
  sbSearchStatus_->setText(qtText(context_.language.message("A047")));
  context_.pump.processEvents();
  pending_.clear();
  pendingIcons_.clear();
  model_->clear();
  ShowItemInfo(nullptr, -1);
  sbSearchStatus_->clear();
}

// --- The results

void TSearchFrame::setListStyle(ListStyle style) {
  const int row = selectedRow();
  style_ = style;
  QAbstractItemView* target = style == kReportStyle ? static_cast<QAbstractItemView*>(lvArchiveReport_)
                                                    : static_cast<QAbstractItemView*>(lvArchive_);
  // Only the shown list follows the model, so a long run updates one view.
  QAbstractItemView* other = target == lvArchive_ ? static_cast<QAbstractItemView*>(lvArchiveReport_)
                                                   : static_cast<QAbstractItemView*>(lvArchive_);
  if (other->model()) {
    // The report's columns are kept while it shows nothing.
    if (other == lvArchiveReport_) reportColumns_ = lvArchiveReport_->header()->saveState();
    other->setModel(nullptr);
  }
  if (style != kReportStyle) {
    const bool large = style == kIconStyle;
    lvArchive_->setViewMode(style == kIconStyle || style == kSmallIconStyle ? QListView::IconMode
                                                                           : QListView::ListMode);
    lvArchive_->setFlow(style == kListStyle ? QListView::TopToBottom : QListView::LeftToRight);
    lvArchive_->setWrapping(true);
    lvArchive_->setMovement(QListView::Static);
    lvArchive_->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
    lvArchive_->setGridSize(large ? QSize(104, 76) : (style == kSmallIconStyle ? QSize(150, 22) : QSize()));
    lvArchive_->setWordWrap(large);
    lvArchive_->setTextElideMode(Qt::ElideRight);
    lvArchive_->setSpacing(style == kListStyle ? 1 : 0);
  }
  if (target->model() != model_) {
    target->setModel(model_);
    connect(target->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { selectionChanged(); });
    if (target == lvArchiveReport_ &&
        (reportColumns_.isEmpty() || !lvArchiveReport_->header()->restoreState(reportColumns_))) {
      const int widths[] = {150, 100, 110, 140, 90, 200};
      for (int i = 0; i < SearchResultModel::kColumnCount; ++i)
        lvArchiveReport_->setColumnWidth(i, widths[i]);
    }
  }
  lvArchive_->setModelColumn(SearchResultModel::kNameColumn);
  lists_->setCurrentWidget(target);
  if (target == lvArchiveReport_) widenColumnsToContents(lvArchiveReport_);
  selectRow(row);
}

QAbstractItemView* TSearchFrame::currentList() const {
  return style_ == kReportStyle ? static_cast<QAbstractItemView*>(lvArchiveReport_)
                                : static_cast<QAbstractItemView*>(lvArchive_);
}

void TSearchFrame::selectRow(int row) {
  QAbstractItemView* list = currentList();
  if (!list->selectionModel()) return;
  if (row < 0 || row >= model_->rowCount()) {
    list->selectionModel()->clearSelection();
    selectionChanged();
    return;
  }
  const QModelIndex index = model_->index(row, 0);
  list->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  list->scrollTo(index);
}

int TSearchFrame::selectedRow() const {
  QAbstractItemView* list = currentList();
  if (!list->selectionModel()) return -1;
  const QModelIndexList rows = list->selectionModel()->selectedIndexes();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void TSearchFrame::selectionChanged() {
  const int row = selectedRow();
  ShowItemInfo(model_->hitAt(row), row);
}

void TSearchFrame::ShowItemInfo(const TTSearchResultItem* hit, int row) {
  if (!pmShell_) return;  // still being built
  for (QAction* a : pmShell_->actions())
    if (!a->isSeparator() && a != miExportResults_) a->setEnabled(hit != nullptr);
  if (!hit) {
    sbLeftBar_->setFolderCaption(QString());
    sbLeftBar_->clearItem(qtText(context_.language.message("A008")));
    return;
  }
  LanguageFile& language = context_.language;
  sbLeftBar_->setFolderCaption(qtText(hit->CDLabel));
  sbLeftBar_->showItem(appearance_.icon(model_->iconAt(row)), qtText(hit->Name), qtText(hit->KindText),
                       qtText(language.format("A068", {HitDateText(*hit)})),
                       HitHasSize(*hit) ? qtText(language.format("A071", {FormatSize(hit->Size)}))
                                        : QString(),
                       qtText(language.format("A070", {HitShownPath(*hit)})));
}

void TSearchFrame::lvArchiveColumnClick(int column) {
  const int key = NextSortKey(model_->sortKey(), column);
  if (key < 0) return;
  // Sorting a very long list takes a moment: the window shows it is busy meanwhile.
  QApplication::setOverrideCursor(Qt::WaitCursor);
  model_->setSortKey(key);
  QApplication::restoreOverrideCursor();
  QHeaderView* header = lvArchiveReport_->header();
  header->setSortIndicatorShown(true);
  header->setSortIndicator(column, key % 2 == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
  const int row = selectedRow();
  if (row >= 0) currentList()->scrollTo(model_->index(row, 0));
}

void TSearchFrame::lvArchiveDblClick() {
  const TTSearchResultItem* hit = model_->hitAt(selectedRow());
  if (!hit) return;
  if (hit->Kind == kSearchCatalogs)
    miBrowseArchiveClick();
  else
    miShellAction(kHitExecute);
}

void TSearchFrame::miShellAction(int tag) {
  const TTSearchResultItem* found = model_->hitAt(selectedRow());
  if (!found) return;
  // The row may go while the user is asked for the medium (a run adding or clearing).
  const TTSearchResultItem hit = *found;
  actions_.runOnMedium(tag, hit);
}

void TSearchFrame::copyText(int tag) {
  if (const TTSearchResultItem* hit = model_->hitAt(selectedRow())) actions_.copy(tag, *hit);
}

void TSearchFrame::miBrowseArchiveClick() {
  const TTSearchResultItem* found = model_->hitAt(selectedRow());
  if (!found) return;
  if (const std::optional<BrowsePlace> place = actions_.browsePlace(*found))
    emit browseRequested(place->catalog, place->folder, place->select);
}

}  // namespace kolvex
