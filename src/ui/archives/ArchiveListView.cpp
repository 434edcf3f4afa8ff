#include "ui/archives/ArchiveListView.h"

#include <QHeaderView>
#include <QLabel>
#include <algorithm>
#include <QListView>
#include <QStackedLayout>
#include <QTreeView>

#include "ui/common/ItemViews.h"
#include "ui/common/WindowState.h"
#include "ui/archives/ArchiveListModel.h"

namespace kolvex {

ArchiveListView::ArchiveListView(ArchiveListModel* model, QWidget* parent)
    : QWidget(parent), model_(model) {
  selection_ = new QItemSelectionModel(model, this);
  stack_ = new QStackedLayout(this);
  stack_->setContentsMargins(0, 0, 0, 0);

  list_ = new QListView(this);
  list_->setObjectName("lvArchivesItems");
  detail_ = new QTreeView(this);
  detail_->setObjectName("lvArchivesDetails");
  detail_->setRootIsDecorated(false);
  detail_->setUniformRowHeights(true);
  detail_->setAllColumnsShowFocus(true);
  // Labels often share a long start (the serial number, a path): a narrow column keeps
  // both ends of each, so two of them still read apart.
  detail_->setTextElideMode(Qt::ElideMiddle);
  // A click on a column sorts by it (the label, as people read names, until then).
  detail_->header()->setSectionsClickable(true);
  detail_->header()->setSortIndicator(ArchiveListModel::kLabel, Qt::AscendingOrder);
  detail_->setSortingEnabled(true);
  detail_->header()->setStretchLastSection(true);
  useGridItems(list_);
  for (QAbstractItemView* v :
       {static_cast<QAbstractItemView*>(list_), static_cast<QAbstractItemView*>(detail_)}) {
    v->setModel(model);
    v->setSelectionModel(selection_);
    v->setSelectionMode(QAbstractItemView::ExtendedSelection);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(v, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit activated(index.row()); });
    connect(v, &QWidget::customContextMenuRequested, this,
            [this, v](const QPoint& pos) { emit contextMenuAt(v->viewport()->mapToGlobal(pos)); });
    stack_->addWidget(v);
  }
  // Narrow to begin with: the columns widen to what they show (widenColumns).
  const int widths[] = {120, 60, 100, 70, 200};
  for (int c = 0; c < ArchiveListModel::kColumnCount; ++c) detail_->setColumnWidth(c, widths[c]);
  fitColumnsOnResize(detail_);
  // Over the list, below a detailed list's header; clicks go through to the list (its
  // context menu offers Create).
  emptyHint_ = new QLabel(this);
  emptyHint_->setObjectName("lEmptyHint");
  emptyHint_->setWordWrap(true);
  emptyHint_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  emptyHint_->setAttribute(Qt::WA_TransparentForMouseEvents);
  emptyHint_->setForegroundRole(QPalette::PlaceholderText);
  emptyHint_->hide();
  setStyle(Style::Icon);
}

void ArchiveListView::setEmptyHint(const QString& text) {
  emptyHint_->setText(text);
  emptyHint_->setVisible(!text.isEmpty());
  emptyHint_->raise();
}

QString ArchiveListView::emptyHint() const { return emptyHint_->isHidden() ? QString() : emptyHint_->text(); }

void ArchiveListView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int margin = 24;
  emptyHint_->setGeometry(rect().adjusted(margin, detail_->header()->sizeHint().height() + margin,
                                          -margin, -margin));
}

void ArchiveListView::setStyle(Style style) {
  style_ = style;
  if (style == Style::Detailed) {
    stack_->setCurrentWidget(detail_);
    widenColumns();
    return;
  }
  list_->setWordWrap(true);
  list_->setUniformItemSizes(false);
  switch (style) {
    case Style::Icon:
      list_->setViewMode(QListView::IconMode);
      list_->setIconSize(QSize(32, 32));
      list_->setGridSize(QSize(104, 76));
      list_->setFlow(QListView::LeftToRight);
      break;
    case Style::SmallIcon:
      list_->setViewMode(QListView::ListMode);
      list_->setIconSize(QSize(16, 16));
      list_->setGridSize(QSize(160, 22));
      list_->setFlow(QListView::LeftToRight);
      break;
    case Style::List:
      list_->setViewMode(QListView::ListMode);
      list_->setIconSize(QSize(16, 16));
      list_->setGridSize(QSize());
      list_->setFlow(QListView::TopToBottom);
      break;
    case Style::Detailed:
      break;
  }
  list_->setWrapping(true);
  list_->setResizeMode(QListView::Adjust);
  list_->setMovement(QListView::Static);
  stack_->setCurrentWidget(list_);
}

void ArchiveListView::saveState(WindowState& state) const {
  state.setValue("Archives/ListStyle", static_cast<int>(style_));
  state.saveHeader("Archives/Columns", detail_->header());
}

void ArchiveListView::restoreState(const WindowState& state) {
  const int style = state.value("Archives/ListStyle", static_cast<int>(style_)).toInt();
  if (style >= static_cast<int>(Style::Icon) && style <= static_cast<int>(Style::Detailed))
    setStyle(static_cast<Style>(style));
  state.restoreHeader("Archives/Columns", detail_->header());
  model_->sort(detail_->header()->sortIndicatorSection(), detail_->header()->sortIndicatorOrder());
}

void ArchiveListView::widenColumns() { widenColumnsToContents(detail_); }

QAbstractItemView* ArchiveListView::current() const {
  return style_ == Style::Detailed ? static_cast<QAbstractItemView*>(detail_)
                                   : static_cast<QAbstractItemView*>(list_);
}

int ArchiveListView::selectedRow() const {
  const std::vector<int> rows = selectedRows();
  return rows.empty() ? -1 : rows.front();
}

std::vector<int> ArchiveListView::selectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : selection_->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void ArchiveListView::selectRows(const std::vector<int>& rows) {
  QItemSelection chosen;
  for (int row : rows)
    if (row >= 0 && row < model_->rowCount())
      chosen.select(model_->index(row, 0), model_->index(row, ArchiveListModel::kColumnCount - 1));
  selection_->select(chosen, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ArchiveListView::selectRow(int row) {
  if (row < 0 || row >= model_->rowCount()) {
    selection_->clearSelection();
    return;
  }
  selection_->select(model_->index(row, 0),
                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  selection_->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::NoUpdate);
}

namespace {

QString pathAt(const QModelIndex& index) {
  return index.isValid() ? index.data(ArchiveListModel::kPathRole).toString() : QString();
}

int rowOf(const ArchiveListModel& model, const QString& path) {
  if (path.isEmpty()) return -1;
  for (int r = 0; r < model.rowCount(); ++r)
    if (model.row(r).path == path) return r;
  return -1;
}

}  // namespace

ArchiveListView::Place ArchiveListView::place() const {
  Place p;
  for (int row : selectedRows()) p.selected << model_->row(row).path;
  p.current = pathAt(selection_->currentIndex());
  p.top = pathAt(current()->indexAt(QPoint(1, 1)));
  return p;
}

void ArchiveListView::restorePlace(const Place& p) {
  std::vector<int> rows;
  for (const QString& path : p.selected)
    if (const int row = rowOf(*model_, path); row >= 0) rows.push_back(row);
  selectRows(rows);
  if (const int row = rowOf(*model_, p.current); row >= 0)
    selection_->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::NoUpdate);
  if (const int row = rowOf(*model_, p.top); row >= 0)
    current()->scrollTo(model_->index(row, 0), QAbstractItemView::PositionAtTop);
}

}  // namespace kolvex
