#include "ui/common/ItemViews.h"

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
  // A long name may not push every other column out of sight, at any window size; a
  // maximised window gives it the room it has.
  const int widest = std::max(view->viewport()->width() * 3 / 5, 60);
  for (int c = 0; c < header->count(); ++c) {
    // A stretching last column already takes the room that is left.
    if (header->isSectionHidden(c) || (header->stretchLastSection() && c == header->count() - 1))
      continue;
    const int wanted =
        std::min(widest, std::max(static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(c),
                                 header->sectionSizeHint(c)) + 8);
    if (wanted > header->sectionSize(c)) header->resizeSection(c, wanted);
  }
}

}  // namespace kolvex
