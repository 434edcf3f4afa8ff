#pragma once
// The duplicate groups as a two-level list: one row per group (its name, size, copies,
// wasted space and how its copies were matched), below it one row per copy (its name,
// size, catalog, path as scanned and whether its medium is mounted now). A copy is also
// a hit, so the search's panel and actions serve it.
#include <QAbstractItemModel>
#include <QStringList>
#include <functional>
#include <vector>

#include "core/compare/DuplicateFinder.h"
#include "core/search/TTSearchResultItem.h"
#include "ui/search/HitAppearance.h"

namespace kolvex {

// A copy as the search would have found it.
TTSearchResultItem HitOfCopy(const DupeCopy& copy, const DupeCatalog& catalog);

class DuplicateListModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  enum Column { kName, kSize, kArchive, kPath, kMedium, kColumnCount };

  // Texts the rows are made of, in the program's language.
  struct Texts {
    std::function<QString(std::size_t copies, std::int64_t wasted)> copies;
    QString byContent, byName;  // how a group was matched
    QString mounted, offline;   // a copy's medium
  };

  DuplicateListModel(HitAppearance& appearance, QObject* parent);

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void setCaptions(const QStringList& captions);
  void setTexts(const Texts& texts);
  void setGroups(DupeGroups groups, std::vector<DupeCatalog> catalogs);
  void clear() { setGroups({}, {}); }

  const DupeGroups& groups() const { return groups_; }
  // The copy of a row below a group; null for a group row or outside the list.
  const DupeCopy* copyAt(const QModelIndex& index) const;
  const DupeCatalog& catalogOf(const DupeCopy& copy) const { return catalogs_[copy.catalog]; }
  std::int64_t wastedTotal() const;

 private:
  HitAppearance& appearance_;
  QStringList captions_;
  Texts texts_;
  DupeGroups groups_;
  std::vector<DupeCatalog> catalogs_;
};

}  // namespace kolvex
