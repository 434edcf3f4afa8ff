#pragma once
// The rows of the search results: one hit per row, in the order the hits were found or
// in the order of the chosen sort key. Hits come in batches (one per round of window
// events during a run); under a sort key each one is inserted at its place by binary
// search, so a long run with a key chosen stays near-linear per row instead of sorting
// the whole list again.
#include <QAbstractTableModel>
#include <QStringList>
#include <memory>
#include <vector>

#include "core/search/TTSearchResultItem.h"
#include "ui/search/HitAppearance.h"
#include "ui/search/HitOrder.h"

namespace kolvex {

class SearchResultModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column {
    kNameColumn,
    kLabelColumn,
    kKindColumn,
    kDateColumn,
    kSizeColumn,
    kFolderColumn,  // where the hit lives, so a list of equal names can be told apart
    kColumnCount
  };

  SearchResultModel(HitAppearance& appearance, QObject* parent);
  ~SearchResultModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void setCaptions(const QStringList& captions);
  // Adds hits whose KindText is filled; in found order under kHitSortNone, else each at its
  // place (after the rows it equals, so equal rows keep the order they were found in).
  void add(std::vector<TTSearchResultItem>&& hits, std::vector<int>&& icons);
  void clear();
  // Orders every row anew by the key (kHitSortNone leaves the rows as they stand).
  void setSortKey(int key);
  int sortKey() const { return sortKey_; }

  // The hit of a row; null outside the list.
  const TTSearchResultItem* hitAt(int row) const;
  int iconAt(int row) const;

 private:
  struct Row {
    TTSearchResultItem hit;
    int icon = 0;
  };
  // Ordered by the key; rows that compare equal stay in insertion order.
  bool before(const Row& a, const Row& b) const;

  HitAppearance& appearance_;
  QStringList captions_;
  std::vector<std::unique_ptr<Row>> rows_;
  int sortKey_ = kHitSortNone;
};

}  // namespace kolvex
