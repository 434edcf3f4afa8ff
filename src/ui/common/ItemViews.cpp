#include "ui/common/ItemViews.h"

#include <QEvent>
#include <QHeaderView>
#include <QListView>
#include <QTreeView>
#include <algorithm>

#include "ui/common/TextBreaks.h"

namespace kolvex {

QSize GridItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const auto* view = qobject_cast<const QListView*>(option.widget);
  if (view && view->viewMode() == QListView::IconMode && view->gridSize().isValid()) {
    const int gap = 2 * view->spacing() + 2;
    return view->gridSize() - QSize(gap, gap);
  }
  return QStyledItemDelegate::sizeHint(option, index);
}

void GridItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  const auto* view = qobject_cast<const QListView*>(option->widget);
  if (view && view->viewMode() == QListView::IconMode) option->text = breakable(option->text);
}

void useGridItems(QListView* view) { view->setItemDelegate(new GridItemDelegate(view)); }

void widenColumnsToContents(QTreeView* view) {
  QHeaderView* header = view->header();
  const int room = view->viewport()->width();
  // A long name may not push every other column out of sight, at any window size; a
  // maximised window gives it the room it has.
  const int widest = std::max(room * 3 / 5, 60);
  const bool stretching = header->stretchLastSection();
  const int last = header->count() - 1;
  for (int c = 0; c < header->count(); ++c) {
    // A stretching last column already takes the room that is left.
    if (header->isSectionHidden(c) || (stretching && c == last)) continue;
    const int wanted =
        std::min(widest, std::max(static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(c),
                                 header->sectionSizeHint(c)) + 8);
    if (wanted > header->sectionSize(c)) header->resizeSection(c, wanted);
  }
  // The first column (the name) gives way until the others are in sight, down to what its
  // caption needs; a stretching last column counts with its caption's width.
  if (header->count() < 2 || header->isSectionHidden(0)) return;
  int others = 0;
  for (int c = 1; c < header->count(); ++c)
    if (!header->isSectionHidden(c))
      others += stretching && c == last ? header->sectionSizeHint(c) : header->sectionSize(c);
  const int least = std::max(header->sectionSizeHint(0), kLeastNameWidth);
  const int fits = std::max(least, room - others);
  if (header->sectionSize(0) > fits) header->resizeSection(0, fits);
}

namespace {

// Fits the columns again whenever the list's room changes (a resized or maximised window).
class ColumnFitter final : public QObject {
 public:
  explicit ColumnFitter(QTreeView* view) : QObject(view), view_(view) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Resize) widenColumnsToContents(view_);
    return false;
  }

 private:
  QTreeView* view_;
};

}  // namespace

void fitColumnsOnResize(QTreeView* view) {
  view->viewport()->installEventFilter(new ColumnFitter(view));
}

}  // namespace kolvex
