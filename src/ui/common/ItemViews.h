#pragma once
// What the item lists of every view share: an icon grid whose items are as wide as the
// grid (a long name wraps instead of being cut to "g...s"), and list columns that widen to
// what they show while the user may still resize them.
#include <QStyledItemDelegate>

class QListView;
class QTreeView;

namespace kolvex {

// Sizes every item of a list view in icon mode to the view's grid, so that all items can
// share one size (cheap for huge lists) and each name gets the grid's width to wrap in,
// also a name without spaces ("1261094350_usr_share_doc").
class GridItemDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// Installs the delegate on the list view.
void useGridItems(QListView* view);

// The least width the first column (the name) is narrowed to so that the others show.
inline constexpr int kLeastNameWidth = 100;

// Widens every column whose header or shown rows need more room, up to 3/5 of the view's
// width; never narrows one (the user may have widened it), except the first: it is
// narrowed (to kLeastNameWidth or its caption at least) while the columns after it would
// not all be in sight. Only the rows in sight are measured, so it costs the same for any
// length of list.
void widenColumnsToContents(QTreeView* view);

// widenColumnsToContents again whenever the view's room changes size.
void fitColumnsOnResize(QTreeView* view);

}  // namespace kolvex
