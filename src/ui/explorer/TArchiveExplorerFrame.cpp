#include "ui/explorer/TArchiveExplorerFrame.h"

#include <QActionGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <climits>
#include <functional>

#include "core/app/ExploreTarget.h"
#include "core/catalog/FormatSize.h"
#include "core/catalog/LocateOnMedia.h"
#include "core/catalog/ScannedPath.h"
#include "ui/common/ElidedLabel.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/ItemViews.h"
#include "ui/common/WindowState.h"
#include "ui/common/Skin.h"
#include "ui/common/SkinWidgets.h"
#include "ui/common/QtText.h"
#include "ui/explorer/FileListModel.h"
#include "ui/explorer/FolderTreeModel.h"
#include "ui/explorer/InfoPanel.h"
#include "ui/explorer/SpaceMapView.h"

namespace kolvex {
namespace {

constexpr int kToolsWidth = 120;
constexpr int kExecuteTag = 90201, kBrowseTag = 90202, kPrintTag = 90203;
constexpr int kFirstStyleTag = 90102, kFirstSortTag = 90302;
// Pages of the folder and file panels.
constexpr int kTreePage = 0, kLoadingPage = 1;
constexpr int kIconPage = 0, kReportPage = 1, kBuildingPage = 2, kMapPage = 3;

int pageOf(TArchiveExplorerFrame::ListStyle style) {
  return style == TArchiveExplorerFrame::kDetails    ? kReportPage
         : style == TArchiveExplorerFrame::kSpaceMap ? kMapPage
                                                     : kIconPage;
}

const char* const kToolStyle =
    "QToolButton { background: rgba(255, 255, 255, 175); border: 1px solid rgba(40, 60, 80, 70);"
    " border-radius: 4px; padding: 2px 3px; color: #1f2a36; text-align: left; }"
    "QToolButton:hover { background: rgba(255, 255, 255, 235); }"
    "QToolButton:pressed { background: rgba(210, 225, 240, 235); }"
    "QToolButton:disabled { color: #8a94a0; background: rgba(255, 255, 255, 110); }";

QLabel* panelCaption(const char* name, int tag, QWidget* parent) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  setTag(l, tag);
  l->setAlignment(Qt::AlignCenter);
  l->setStyleSheet("color: #2a3442; background: palette(base);");
  return l;
}

}  // namespace

TArchiveExplorerFrame::TArchiveExplorerFrame(AppContext& context, QWidget* parent)
    : KolvexView(context, parent), model_(context.pump, context.dialogs) {
  setObjectName("TArchiveExplorerFrame");
  model_.setHistoryLimit(context.options.ForeBackMaxItems);
  treeModel_ = new FolderTreeModel(model_, icons_, this);
  listModel_ = new FileListModel(model_, typeNames(), icons_, this);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildTools();
  layout->addWidget(pTools_);

  auto* right = new QWidget(this);
  auto* column = new QVBoxLayout(right);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(BuildAddressLine());
  auto* split = new QSplitter(Qt::Horizontal, right);
  split->setObjectName("sDirs");
  split->setChildrenCollapsible(false);
  split->addWidget(BuildDirs());
  split->addWidget(BuildFiles());
  split->setStretchFactor(1, 1);
  // The folders get a quarter: at the size the program opens with, the files beside the
  // information panel still get two columns of icons.
  split->setSizes({150, 450});
  column->addWidget(split, 1);
  column->addWidget(BuildBottom());
  layout->addWidget(right, 1);

  BuildMenus();
  BuildShortcuts();
  useGridItems(lvArchive_);
  Button1_ = new QPushButton("Save Interface", this);
  Button1_->setObjectName("Button1");
  Button1_->hide();
  connect(Button1_, &QPushButton::clicked, this, [this] { SaveInterface(); });

  sbLeftBar_->setPicture(context.skin.LeftBar);
  model_.setListener(this);
  setListStyle(kLargeIcons);
  ApplyLanguage();
  updateToolStates();
}

TArchiveExplorerFrame::~TArchiveExplorerFrame() {
  model_.setListener(nullptr);
  // The views and models read the explorer model, which goes before the child widgets.
  delete pFiles_;
  delete pDirs_;
  delete treeModel_;
  delete listModel_;
}

IconProvider& TArchiveExplorerFrame::typeNames() {
  return context_.icons ? *context_.icons : ownTypeNames_;
}

// --- Building the window

QToolButton* TArchiveExplorerFrame::toolButton(const char* name, int tag, const char* icon, int y,
                                               int width) {
  static const QHash<QString, QStyle::StandardPixmap> fallback = {
      {"go-previous", QStyle::SP_ArrowBack},
      {"go-next", QStyle::SP_ArrowForward},
      {"go-up", QStyle::SP_ArrowUp},
      {"edit-find", QStyle::SP_FileDialogContentsView},
      {"view-list-icons", QStyle::SP_FileDialogListView},
      {"view-sort-ascending", QStyle::SP_FileDialogDetailedView},
      {"window-close", QStyle::SP_DialogCloseButton}};
  auto* b = new QToolButton(pTools_->findChild<QWidget*>("sbTools"));
  b->setObjectName(name);
  setTag(b, tag);
  b->setIcon(QIcon::fromTheme(icon, style()->standardIcon(fallback.value(icon))));
  b->setIconSize(QSize(16, 16));
  b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  b->setGeometry(4, y, width, 26);
  b->setStyleSheet(kToolStyle);
  return b;
}

QToolButton* TArchiveExplorerFrame::arrowButton(const char* name, QToolButton* beside) {
  auto* b = new QToolButton(beside->parentWidget());
  b->setObjectName(name);
  b->setArrowType(Qt::RightArrow);
  b->setGeometry(beside->geometry().right() + 3, beside->y(), 16, beside->height());
  b->setStyleSheet(kToolStyle);
  return b;
}

void TArchiveExplorerFrame::BuildTools() {
  pTools_ = new QWidget(this);
  pTools_->setObjectName("pTools");
  pTools_->setFixedWidth(kToolsWidth);
  auto* grid = new QGridLayout(pTools_);
  grid->setContentsMargins(0, 0, 0, 0);
  pbTools_ = new TPaintBox(context_.skin, 5, pTools_);
  pbTools_->setObjectName("pbTools");
  grid->addWidget(pbTools_, 0, 0);
  auto* sbTools = new QWidget(pTools_);
  sbTools->setObjectName("sbTools");
  grid->addWidget(sbTools, 0, 0);

  // Back and Forward leave room for their menu arrows, the rest take the column's width.
  const int narrow = kToolsWidth - 8 - 19;
  const int wide = kToolsWidth - 8;
  sbBack_ = toolButton("sbBack", 50001, "go-previous", 10, narrow);
  sbBackMenu_ = arrowButton("sbBackMenu", sbBack_);
  sbFore_ = toolButton("sbFore", 50002, "go-next", 40, narrow);
  sbForeMenu_ = arrowButton("sbForeMenu", sbFore_);
  sbUp_ = toolButton("sbUp", 50003, "go-up", 70, wide);
  sbSearch_ = toolButton("sbSearch", 50004, "edit-find", 110, wide);
  sbView_ = toolButton("sbView", 90101, "view-list-icons", 150, wide);
  sbSortBy_ = toolButton("sbSortBy", 90301, "view-sort-ascending", 180, wide);
  sbClose_ = toolButton("sbClose", 50005, "window-close", 220, wide);

  connect(sbBack_, &QToolButton::clicked, this, [this] { model_.GoBack(1); });
  connect(sbFore_, &QToolButton::clicked, this, [this] { model_.GoForward(1); });
  connect(sbUp_, &QToolButton::clicked, this, [this] { model_.GoUp(); });
  connect(sbBackMenu_, &QToolButton::clicked, this, [this] { openHistoryMenu(true); });
  connect(sbForeMenu_, &QToolButton::clicked, this, [this] { openHistoryMenu(false); });
  connect(sbSearch_, &QToolButton::clicked, this, [this] { sbSearchClick(); });
  connect(sbView_, &QToolButton::clicked, this, [this] { popupAtTopRight(pmListStyle_, sbView_); });
  connect(sbSortBy_, &QToolButton::clicked, this,
          [this] { popupAtTopRight(pmSortBy_, sbSortBy_); });
  connect(sbClose_, &QToolButton::clicked, this, [this] { sbCloseClick(); });
}

QWidget* TArchiveExplorerFrame::BuildAddressLine() {
  auto* pTop = new QWidget(this);
  pTop->setObjectName("pTop");
  pTop->setFixedHeight(30);
  auto* grid = new QGridLayout(pTop);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* pbClient = new TPaintBox(context_.skin, 5, pTop);
  pbClient->setObjectName("pbClient");
  grid->addWidget(pbClient, 0, 0);
  auto* line = new QWidget(pTop);
  auto* row = new QHBoxLayout(line);
  row->setContentsMargins(4, 3, 4, 3);
  // A deep folder's address keeps its end in sight; the whole of it is the tooltip.
  lAddress_ = new ElidedLabel(Qt::ElideLeft, line);
  lAddress_->setObjectName("lAddress");
  lAddress_->setStyleSheet(
      "QLabel { background: rgba(255, 255, 255, 220); border: 1px solid #9aa8b6;"
      " border-radius: 3px; padding: 1px 6px; color: #1f2a36; }");
  lAddress_->setMinimumWidth(60);
  lAddress_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  row->addWidget(lAddress_, 1);
  cbArchives_ = new QComboBox(line);
  cbArchives_->setObjectName("cbArchives");
  cbArchives_->setFixedWidth(190);
  cbArchives_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  row->addWidget(cbArchives_);
  cbFiles_ = new QComboBox(line);
  cbFiles_->setObjectName("cbFiles");
  cbFiles_->hide();
  grid->addWidget(line, 0, 0);
  connect(cbArchives_, &QComboBox::activated, this, [this](int i) { cbArchivesChange(i); });
  return pTop;
}

QWidget* TArchiveExplorerFrame::BuildDirs() {
  pDirs_ = new QStackedWidget(this);
  pDirs_->setObjectName("pDirs");
  pDirs_->setMinimumWidth(110);
  tvTree_ = new QTreeView(pDirs_);
  tvTree_->setObjectName("tvTree");
  tvTree_->setModel(treeModel_);
  tvTree_->setHeaderHidden(true);
  tvTree_->setIndentation(20);
  tvTree_->setUniformRowHeights(true);
  tvTree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tvTree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tvTree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  tvTree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  tvTree_->header()->setStretchLastSection(false);
  pDirs_->addWidget(tvTree_);
  pDirs_->addWidget(panelCaption("lLoadingTree", 50006, pDirs_));
  connect(tvTree_, &QTreeView::clicked, this, [this](const QModelIndex& i) { tvTreeClick(i); });
  tvTree_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(tvTree_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    // The folder under the pointer, else the one shown.
    const TreeNode* node = FolderTreeModel::nodeOf(tvTree_->indexAt(at));
    if (!node) node = model_.CurrentNode();
    if (!node) return;
    pmFolder_->setProperty("folder", QVariant::fromValue(static_cast<const void*>(node)));
    pmFolder_->popup(tvTree_->viewport()->mapToGlobal(at));
  });
  connect(tvTree_, &QTreeView::activated, this, [this](const QModelIndex& i) { tvTreeClick(i); });
  return pDirs_;
}

QWidget* TArchiveExplorerFrame::BuildFiles() {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  sbLeftBar_ = new InfoPanel(box);
  row->addWidget(sbLeftBar_);

  pFiles_ = new QStackedWidget(box);
  pFiles_->setObjectName("pFiles");
  lvArchive_ = new QListView(pFiles_);
  lvArchive_->setObjectName("lvArchive");
  lvArchive_->setModel(listModel_);
  lvReport_ = new QTreeView(pFiles_);
  lvReport_->setObjectName("lvReport");
  lvReport_->setModel(listModel_);
  QItemSelectionModel* unused = lvReport_->selectionModel();
  lvReport_->setSelectionModel(lvArchive_->selectionModel());
  delete unused;
  lvReport_->setRootIsDecorated(false);
  lvReport_->setUniformRowHeights(true);
  lvReport_->setAllColumnsShowFocus(true);
  lvReport_->setItemsExpandable(false);
  lvReport_->header()->setSectionsClickable(true);
  lvReport_->header()->setSortIndicatorShown(true);
  lvReport_->header()->setStretchLastSection(false);
  const int widths[kColumnCount] = {200, 100, 120, 70};
  for (int c = 0; c < kColumnCount; ++c) lvReport_->setColumnWidth(c, widths[c]);
  fitColumnsOnResize(lvReport_);
  for (QAbstractItemView* v :
       {static_cast<QAbstractItemView*>(lvArchive_), static_cast<QAbstractItemView*>(lvReport_)}) {
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setContextMenuPolicy(Qt::CustomContextMenu);
    v->setTextElideMode(Qt::ElideMiddle);
    // A double click, or Enter: a folder opens, a file is executed.
    connect(v, &QAbstractItemView::activated, this, [this](const QModelIndex& i) {
      if (i.isValid()) lvArchiveDblClick();
    });
    connect(v, &QWidget::customContextMenuRequested, this,
            [this, v](const QPoint& at) { pmShell_->popup(v->viewport()->mapToGlobal(at)); });
  }
  pFiles_->addWidget(lvArchive_);
  pFiles_->addWidget(lvReport_);
  pFiles_->addWidget(panelCaption("lBuildingList", 50007, pFiles_));
  spaceMap_ = new SpaceMapView(context_, pFiles_);
  pFiles_->addWidget(spaceMap_);
  row->addWidget(pFiles_, 1);

  connect(lvArchive_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { lvArchiveSelectItem(); });
  connect(lvReport_->header(), &QHeaderView::sectionClicked, this,
          [this](int column) { model_.columnClick(column); });
  return box;
}

QWidget* TArchiveExplorerFrame::BuildBottom() {
  auto* pBottom = new QWidget(this);
  pBottom->setObjectName("pBottom");
  pBottom->setFixedHeight(22);
  auto* row = new QHBoxLayout(pBottom);
  row->setContentsMargins(4, 1, 4, 1);
  sbStatus_ = new QLabel(pBottom);
  sbStatus_->setObjectName("sbStatus");
  sbStatus_->setTextFormat(Qt::PlainText);
  sbStatus_->setStyleSheet("color: #2a3442;");
  row->addWidget(sbStatus_, 1);
  pbProgress_ = new QProgressBar(pBottom);
  pbProgress_->setObjectName("pbProgress");
  pbProgress_->setRange(0, 100);
  pbProgress_->setTextVisible(false);
  pbProgress_->hide();
  row->addWidget(pbProgress_, 1);
  return pBottom;
}

void TArchiveExplorerFrame::BuildMenus() {
  pmBack_ = new QMenu(this);
  pmBack_->setObjectName("pmBack");
  pmFore_ = new QMenu(this);
  pmFore_->setObjectName("pmFore");

  pmListStyle_ = new QMenu(this);
  pmListStyle_->setObjectName("pmListStyle");
  auto* styles = new QActionGroup(this);
  const char* const styleNames[] = {"miIcon", "miList", "miSmallIcon", "miReport"};
  const char* const styleCaptions[] = {"Icon", "List", "Small Icon", "Detailed"};
  // Menu order is the tag order; the styles they stand for are in ListStyle order.
  const ListStyle styleOf[] = {kLargeIcons, kList, kSmallIcons, kDetails};
  for (int i = 0; i < 4; ++i) {
    QAction* a = pmListStyle_->addAction(styleCaptions[i]);
    a->setObjectName(styleNames[i]);
    setTag(a, kFirstStyleTag + i);
    a->setCheckable(true);
    styles->addAction(a);
    styleItems_[styleOf[i]] = a;
    const ListStyle style = styleOf[i];
    connect(a, &QAction::triggered, this, [this, style] { setListStyle(style); });
  }
  BuildReportMenus(styles);

  pmSortBy_ = new QMenu(this);
  pmSortBy_->setObjectName("pmSortBy");
  const char* const sortNames[] = {"misbName", "misbKind", "misbDate", "misbSize"};
  const char* const sortCaptions[] = {"File Name", "File Kind", "Time Stamp", "File Size"};
  auto* sorts = new QActionGroup(this);
  for (int i = 0; i < 4; ++i) {
    QAction* a = pmSortBy_->addAction(sortCaptions[i]);
    a->setObjectName(sortNames[i]);
    const int tag = kFirstSortTag + i;
    setTag(a, tag);
    a->setCheckable(true);  // the menu marks the order in force, in every list style
    sorts->addAction(a);
    sortItems_[i] = a;
    connect(a, &QAction::triggered, this, [this, tag] { model_.sortMenuClick(tag); });
  }

  pmShell_ = new QMenu(this);
  pmShell_->setObjectName("pmShell");
  pmShell_->setToolTipsVisible(true);
  const char* const shellNames[] = {"miExecuteItem", "miBrowseFolder", "miPrintItem",
                                    "miCopyName",    "miCopyPath",     "miCopyPathName"};
  const char* const shellCaptions[] = {"Execute",        "Browse",         "Print",
                                       "Copy File Name", "Copy File Path", "Copy File Pathname"};
  for (int i = 0; i < 6; ++i) {
    if (i == 3) pmShell_->addSeparator()->setObjectName("miLine");
    QAction* a = pmShell_->addAction(shellCaptions[i]);
    a->setObjectName(shellNames[i]);
    setTag(a, kExecuteTag + i);
    shellItems_[i] = a;
  }
  pmShell_->setDefaultAction(shellItems_[0]);
  for (int i = 0; i < 3; ++i) {
    const int tag = kExecuteTag + i;
    connect(shellItems_[i], &QAction::triggered, this, [this, tag] { miExecuteItemClick(tag); });
  }
  connect(shellItems_[3], &QAction::triggered, this, [this] { miCopyNameClick(); });
  connect(shellItems_[4], &QAction::triggered, this, [this] { miCopyPathClick(); });
  connect(shellItems_[5], &QAction::triggered, this, [this] { miCopyPathNameClick(); });
}

void TArchiveExplorerFrame::BuildShortcuts() {
  // Back, forward and up as in a file manager, wherever the focus is inside the view.
  auto key = [this](QKeySequence sequence, std::function<void()> act) {
    auto* s = new QShortcut(sequence, this);
    s->setContext(Qt::WidgetWithChildrenShortcut);
    connect(s, &QShortcut::activated, this, std::move(act));
  };
  key(QKeySequence(Qt::ALT | Qt::Key_Left), [this] { model_.GoBack(1); });
  key(QKeySequence(Qt::ALT | Qt::Key_Right), [this] { model_.GoForward(1); });
  key(QKeySequence(Qt::Key_Backspace), [this] { model_.GoUp(); });
}

void TArchiveExplorerFrame::popupAtTopRight(QMenu* menu, QWidget* button) {
  menu->popup(button->mapToGlobal(QPoint(button->width(), 0)));
}

// --- Texts

void TArchiveExplorerFrame::ApplyLanguage() {
  KolvexView::ApplyLanguage();
  // Called again whenever the options are applied: the history follows a new limit.
  model_.setHistoryLimit(context_.options.ForeBackMaxItems);
  auto& lang = context_.language;
  listModel_->setTexts({qtText(lang.message("A012")), qtText(lang.message("A013")),
                        qtText(lang.message("A014")), qtText(lang.message("A015"))},
                       qtText(lang.message("A016")));
  showStatus();
  ShowItemInfo(selectedEntry());
  if (style_ == kDetails) widenColumnsToContents(lvReport_);
}

void TArchiveExplorerFrame::SaveState(WindowState& state) const {
  state.setValue("Explorer/ListStyle", static_cast<int>(style_));
  state.saveHeader("Explorer/Columns", lvReport_->header());
  state.saveSplitter("Explorer/Folders", findChild<QSplitter*>("sDirs"));
}

void TArchiveExplorerFrame::RestoreState(const WindowState& state) {
  const int style = state.value("Explorer/ListStyle", static_cast<int>(style_)).toInt();
  if (style >= kLargeIcons && style <= kDetails) setListStyle(static_cast<ListStyle>(style));
  state.restoreHeader("Explorer/Columns", lvReport_->header());
  state.restoreSplitter("Explorer/Folders", findChild<QSplitter*>("sDirs"));
}

void TArchiveExplorerFrame::showStatus() {
  const FolderStatus status = model_.status();
  sbStatus_->setText(status.shown
                         ? qtText(context_.language.format("A010", {status.dirs, status.files}))
                         : QString());
}

// --- The catalog and its hand-overs

void TArchiveExplorerFrame::UpdatingArchiveList(const std::vector<ArchiveListEntry>& catalogs) {
  model_.setArchiveList(catalogs);
}

void TArchiveExplorerFrame::BrowseArchive(const std::string& catalogPath,
                                          const std::string& storedFolder,
                                          const std::string& selectName) {
  if (model_.busy() != ExplorerBusy::Idle) {
    // Asked from inside a walk: the catalog cannot change before the walk is over.
    QTimer::singleShot(20, this, [this, catalogPath, storedFolder, selectName] {
      BrowseArchive(catalogPath, storedFolder, selectName);
    });
    return;
  }
  if (!model_.isOpen() || model_.ArchiveFile() != catalogPath) model_.OpenArchive(catalogPath);
  if (!model_.isOpen() || storedFolder.empty()) return;
  const std::string below =
      storedFolder.size() >= 2 && storedFolder[1] == ':' ? storedFolder.substr(2) : storedFolder;
  if (const TreeNode* node = model_.FindTreeNodeByPath(model_.label() + below))
    model_.ShowFolder(*node);
  if (selectName.empty()) return;
  const int row = listModel_->rowNamed(selectName);
  if (row >= 0) selectRow(row);
}

void TArchiveExplorerFrame::CloseIfShown(const std::string& catalogPath) {
  model_.closeIfShown(catalogPath);
}

void TArchiveExplorerFrame::cbArchivesChange(int index) {
  if (model_.UpdatingArchiveList() || index < 0) return;
  model_.chooseArchive(index);
}

void TArchiveExplorerFrame::sbSearchClick() {
  const int index = cbArchives_->currentIndex();
  const auto& catalogs = model_.archiveList();
  if (index < 0 || static_cast<std::size_t>(index) >= catalogs.size()) return;
  emit searchRequested(catalogs[static_cast<std::size_t>(index)].path);
}

void TArchiveExplorerFrame::sbCloseClick() {
  if (model_.isOpen() || model_.busy() != ExplorerBusy::Idle) model_.CloseArchive();
}

// --- Navigation

void TArchiveExplorerFrame::tvTreeClick(const QModelIndex& index) {
  if (const TreeNode* node = FolderTreeModel::nodeOf(index)) model_.ShowFolder(*node);
}

void TArchiveExplorerFrame::openHistoryMenu(bool back) {
  QMenu* menu = back ? pmBack_ : pmFore_;
  QToolButton* arrow = back ? sbBackMenu_ : sbForeMenu_;
  menu->clear();
  const NavButtons nav = model_.navButtons();
  if ((back && !nav.back) || (!back && !nav.forward)) return;
  for (const HistoryMenuItem& item : back ? model_.backMenu() : model_.forwardMenu()) {
    QAction* a = menu->addAction(storedText(item.caption));
    const int steps = item.steps;
    connect(a, &QAction::triggered, this,
            [this, back, steps] { back ? model_.GoBack(steps) : model_.GoForward(steps); });
  }
  popupAtTopRight(menu, arrow);
}

// --- The file list

void TArchiveExplorerFrame::setListStyle(ListStyle style) {
  if (style != kSpaceMap) listStyleBeforeMap_ = style;
  style_ = style;
  styleItems_[style]->setChecked(true);
  if (style == kSpaceMap) showSpaceMap();
  if (style != kDetails && style != kSpaceMap) {
    const bool large = style == kLargeIcons;
    lvArchive_->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    lvArchive_->setFlow(style == kList ? QListView::TopToBottom : QListView::LeftToRight);
    lvArchive_->setWrapping(true);
    lvArchive_->setResizeMode(QListView::Adjust);
    lvArchive_->setMovement(QListView::Static);
    lvArchive_->setWordWrap(large);
    lvArchive_->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
    // A fixed grid keeps the layout of a huge folder cheap and its columns even.
    lvArchive_->setGridSize(large ? QSize(104, 76) : QSize(style == kList ? 200 : 170, 22));
    lvArchive_->setUniformItemSizes(true);
    lvArchive_->setSpacing(0);
  }
  if (model_.busy() != ExplorerBusy::Listing) pFiles_->setCurrentIndex(pageOf(style));
  if (style == kDetails) widenColumnsToContents(lvReport_);
  QAbstractItemView* shown = style == kDetails ? static_cast<QAbstractItemView*>(lvReport_)
                                               : static_cast<QAbstractItemView*>(lvArchive_);
  const QModelIndex current = lvArchive_->selectionModel()->currentIndex();
  if (current.isValid()) shown->scrollTo(current);
}

const FolderEntry* TArchiveExplorerFrame::selectedEntry() const {
  const QModelIndexList rows = lvArchive_->selectionModel()->selectedRows();
  return rows.isEmpty() ? nullptr : listModel_->entryAt(rows.front().row());
}

void TArchiveExplorerFrame::selectRow(int row) {
  const QModelIndex at = listModel_->index(row, 0);
  if (!at.isValid()) return;
  lvArchive_->selectionModel()->setCurrentIndex(
      at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  lvArchive_->scrollTo(at);
  lvReport_->scrollTo(at);
}

void TArchiveExplorerFrame::lvArchiveSelectItem() { ShowItemInfo(selectedEntry()); }

void TArchiveExplorerFrame::ShowItemInfo(const FolderEntry* entry) {
  for (QAction* a : shellItems_) a->setEnabled(entry != nullptr);
  auto& lang = context_.language;
  if (!entry) {
    selectedPosition_ = kNoRecord;
    sbLeftBar_->clearItem(qtText(lang.message("A008")));
    return;
  }
  selectedPosition_ = entry->position;
  const TTFileObjectInfo& r = entry->record;
  const TSCCDInfo* header = model_.header();
  const std::string folder = ScannedPath(header ? header->BaseDir : std::string(), r.FilePath);
  // A folder's record keeps no date and no size, but what it holds: say that instead.
  const QString first =
      entry->isFolder()
          ? qtText(lang.format("A082", {r.DirsOnlyUM, r.FilesOnlyUM}))
          : qtText(lang.format("A068", {DateTimeTextOf(r.CreateDateTime).toStdString()}));
  const QString second =
      entry->isFolder()
          ? qtText(lang.format("A083", {r.DirsUnderMe, r.FilesUnderMe}))
          : qtText(lang.format("A071", {FormatSize(r.FileSize)}));
  sbLeftBar_->showItem(icons_.iconOf(r, entry->position), storedText(r.FileName),
                       listModel_->kindOf(*entry), first, second,
                       storedText(lang.format("A070", {folder})));
}

void TArchiveExplorerFrame::lvArchiveDblClick() {
  const FolderEntry* entry = selectedEntry();
  if (!entry) return;
  if (!entry->isFolder()) {
    miExecuteItemClick(kExecuteTag);
    return;
  }
  if (const TreeNode* node = model_.folderNodeOf(*entry)) model_.ShowFolder(*node);
}

void TArchiveExplorerFrame::miExecuteItemClick(int tag) {
  const FolderEntry* entry = selectedEntry();
  const TSCCDInfo* header = model_.header();
  if (!entry || !header) return;
  const std::string stored = entry->record.FilePath + entry->record.FileName;
  // Copied: the medium prompt lets events run, which may re-list the folder.
  const TSCCDInfo h = *header;
  MediaLocator locator(context_.dialogs, context_.language);
  const std::string real =
      locator.LocateOnMedia(stored, h.BaseDir, h.CDLabel, h.Removable, h.CreateSerial);
  if (real.empty()) return;
  const std::string folder = ExploreTarget(real);
  std::string failure;
  if (tag == kExecuteTag)
    failure = context_.shell.open(real);
  else if (tag == kBrowseTag)
    failure = context_.shell.explore(folder);
  else if (tag == kPrintTag)
    failure = context_.shell.print(real);
  if (!failure.empty()) context_.dialogs.message(MessageKind::Error, failure);
}

void TArchiveExplorerFrame::miCopyNameClick() {
  if (const FolderEntry* entry = selectedEntry()) clipboard_->setText(entry->record.FileName);
}

// The copies are where the item was scanned, a path this system can use; the stored
// "X:\docs\" form means nothing outside the catalog.
void TArchiveExplorerFrame::miCopyPathClick() {
  const FolderEntry* entry = selectedEntry();
  const TSCCDInfo* header = model_.header();
  if (entry && header) clipboard_->setPath(ScannedPath(header->BaseDir, entry->record.FilePath));
}

void TArchiveExplorerFrame::miCopyPathNameClick() {
  const FolderEntry* entry = selectedEntry();
  const TSCCDInfo* header = model_.header();
  if (entry && header)
    clipboard_->setPath(
        ScannedPath(header->BaseDir, entry->record.FilePath, entry->record.FileName));
}

void TArchiveExplorerFrame::showSortIndicator() {
  const SortModeValue mode = model_.SortMode();
  const int column = (mode | 1) == kSortNameDesc   ? 0
                     : (mode | 1) == kSortKindDesc ? 1
                     : (mode | 1) == kSortDateDesc ? 2
                                                   : 3;
  lvReport_->header()->setSortIndicator(column,
                                        (mode & 1) ? Qt::DescendingOrder : Qt::AscendingOrder);
  if (sortItems_[column]) sortItems_[column]->setChecked(true);
}

void TArchiveExplorerFrame::updateToolStates() {
  const bool idle = model_.busy() == ExplorerBusy::Idle;
  const NavButtons nav = model_.navButtons();
  sbBack_->setEnabled(idle && nav.back);
  sbBackMenu_->setEnabled(idle && nav.back);
  sbFore_->setEnabled(idle && nav.forward);
  sbForeMenu_->setEnabled(idle && nav.forward);
  sbUp_->setEnabled(idle && nav.up);
  sbSearch_->setEnabled(idle && cbArchives_->currentIndex() >= 0);
  sbSortBy_->setEnabled(idle && model_.isOpen());
  sbClose_->setEnabled(model_.isOpen() || !idle);
}

// --- What the model tells

void TArchiveExplorerFrame::busyChanged(ExplorerBusy busy) {
  const bool building = busy == ExplorerBusy::BuildingTree;
  const bool listing = busy == ExplorerBusy::Listing;
  pDirs_->setCurrentIndex(building ? kLoadingPage : kTreePage);
  tvTree_->setEnabled(!listing);
  cbArchives_->setEnabled(busy == ExplorerBusy::Idle);
  pFiles_->setCurrentIndex(listing ? kBuildingPage : pageOf(style_));
  if (listing) {
    pbProgress_->setRange(
        0, static_cast<int>(std::min<std::int64_t>(model_.progressMaximum(), INT_MAX)));
    pbProgress_->setValue(0);
    sbStatus_->hide();
    pbProgress_->show();
    showStatus();
  } else {
    pbProgress_->hide();
    pbProgress_->setRange(0, 100);
    pbProgress_->setValue(0);
    sbStatus_->show();
  }
  updateToolStates();
}

void TArchiveExplorerFrame::progressChanged(std::int64_t position, std::int64_t maximum) {
  if (maximum > 0 && pbProgress_->maximum() != std::min<std::int64_t>(maximum, INT_MAX))
    pbProgress_->setMaximum(static_cast<int>(std::min<std::int64_t>(maximum, INT_MAX)));
  pbProgress_->setValue(static_cast<int>(std::min<std::int64_t>(position, pbProgress_->maximum())));
}

void TArchiveExplorerFrame::treeAboutToChange() {
  spaceMap_->reset();
  treeModel_->beginChange();
}

void TArchiveExplorerFrame::treeChanged() {
  treeModel_->endChange();
  if (const TreeNode* root = model_.tree().root()) tvTree_->expand(treeModel_->indexOf(root));
}

void TArchiveExplorerFrame::archiveListChanged() {
  QSignalBlocker blockArchives(cbArchives_);
  QSignalBlocker blockFiles(cbFiles_);
  cbArchives_->clear();
  cbFiles_->clear();
  for (const ArchiveListEntry& catalog : model_.archiveList()) {
    cbArchives_->addItem(storedText(catalog.label));
    cbFiles_->addItem(storedText(catalog.path));
  }
  cbArchives_->setCurrentIndex(model_.selectedArchive());
  cbFiles_->setCurrentIndex(model_.selectedArchive());
  updateToolStates();
}

void TArchiveExplorerFrame::folderChanged(const TreeNode* previous) {
  treeModel_->nodeChanged(previous);
  const TreeNode* current = model_.CurrentNode();
  const QModelIndex at = treeModel_->indexOf(current);
  if (at.isValid()) {
    treeModel_->nodeChanged(current);
    tvTree_->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
    tvTree_->scrollTo(at);
    // A deep folder sits far to the right; bring its name into the narrow panel.
    const QRect shown = tvTree_->visualRect(at);
    QScrollBar* across = tvTree_->horizontalScrollBar();
    if (shown.left() < 0 || shown.left() + 60 > tvTree_->viewport()->width())
      across->setValue(across->value() + shown.left() - 2 * tvTree_->indentation());
  } else {
    tvTree_->selectionModel()->clear();
  }
  lAddress_->setFullText(storedText(model_.Address()));
  if (style_ == kSpaceMap) showSpaceMap();
  sbLeftBar_->setFolderCaption(storedText(model_.folderCaption()));
  showStatus();
  updateToolStates();
}

void TArchiveExplorerFrame::entriesAboutToChange() {
  if (listedNode_ != model_.CurrentNode()) selectedPosition_ = kNoRecord;
  listModel_->beginChange();
}

void TArchiveExplorerFrame::entriesChanged() {
  const std::int64_t keep = selectedPosition_;
  listModel_->endChange();
  listedNode_ = model_.CurrentNode();
  showSortIndicator();
  if (style_ == kDetails) widenColumnsToContents(lvReport_);
  const int row = keep != kNoRecord ? listModel_->rowAtPosition(keep) : -1;
  if (row >= 0)
    selectRow(row);
  else if (listModel_->rowCount() > 0)
    selectRow(0);
  else
    ShowItemInfo(nullptr);
}

void TArchiveExplorerFrame::navChanged() { updateToolStates(); }

}  // namespace kolvex
