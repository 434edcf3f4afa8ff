#include "ui/duplicates/DuplicateListModel.h"

#include "core/catalog/FormatSize.h"
#include "core/search/TUSearch.h"
#include "ui/search/HitTexts.h"
#include "ui/common/QtText.h"

namespace kolvex {
namespace {

// A group row carries no parent; a copy row carries its group's number plus one.
constexpr quintptr kGroupRow = 0;

}  // namespace

TTSearchResultItem HitOfCopy(const DupeCopy& copy, const DupeCatalog& catalog) {
  TTSearchResultItem hit;
  hit.Kind = kSearchFiles;
  hit.DateTime = copy.time;
  hit.Attribute = copy.attributes;
  hit.Name = copyName(copy);
  hit.FilePath = copyStoredFolder(copy);
  hit.CatalogFile = catalog.path;
  hit.CDLabel = catalog.label;
  hit.BaseDir = catalog.baseDir;
  hit.Removable = catalog.removable;
  return hit;
}

DuplicateListModel::DuplicateListModel(HitAppearance& appearance, QObject* parent)
    : QAbstractItemModel(parent), appearance_(appearance) {}

QModelIndex DuplicateListModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column < 0 || column >= kColumnCount) return {};
  if (!parent.isValid())
    return row < static_cast<int>(groups_.size()) ? createIndex(row, column, kGroupRow)
                                                  : QModelIndex();
  if (parent.internalId() != kGroupRow) return {};
  const auto& copies = groups_[static_cast<std::size_t>(parent.row())].copies;
  if (row >= static_cast<int>(copies.size())) return {};
  return createIndex(row, column, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex DuplicateListModel::parent(const QModelIndex& child) const {
  if (!child.isValid() || child.internalId() == kGroupRow) return {};
  return createIndex(static_cast<int>(child.internalId() - 1), 0, kGroupRow);
}

int DuplicateListModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return static_cast<int>(groups_.size());
  if (parent.internalId() != kGroupRow || parent.column() != 0) return 0;
  return static_cast<int>(groups_[static_cast<std::size_t>(parent.row())].copies.size());
}

int DuplicateListModel::columnCount(const QModelIndex&) const { return kColumnCount; }

const DupeCopy* DuplicateListModel::copyAt(const QModelIndex& index) const {
  if (!index.isValid() || index.internalId() == kGroupRow) return nullptr;
  const std::size_t group = index.internalId() - 1;
  if (group >= groups_.size()) return nullptr;
  const auto& copies = groups_[group].copies;
  const auto row = static_cast<std::size_t>(index.row());
  return row < copies.size() ? &copies[row] : nullptr;
}

QVariant DuplicateListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (index.internalId() == kGroupRow) {
    const DupeGroup& g = groups_[static_cast<std::size_t>(index.row())];
    if (role == Qt::TextAlignmentRole && index.column() == kSize)
      return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
      case kName: return qtText(g.copies.empty() ? std::string() : copyName(g.copies.front()));
      case kSize: return qtText(FormatSize(g.size));
      case kArchive:
        return texts_.copies ? texts_.copies(g.copies.size(), g.wasted()) : QVariant();
      case kPath: return g.fingerprint ? texts_.byContent : texts_.byName;
      default: return {};
    }
  }
  const DupeCopy* copy = copyAt(index);
  if (!copy) return {};
  const DupeCatalog& catalog = catalogOf(*copy);
  if (role == Qt::DecorationRole && index.column() == kName) {
    TTSearchResultItem hit = HitOfCopy(*copy, catalog);
    return appearance_.icon(appearance_.describe(hit, {}));
  }
  if (role == Qt::TextAlignmentRole && index.column() == kSize)
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  switch (index.column()) {
    case kName: return qtText(copyName(*copy));
    case kSize: return qtText(FormatSize(groups_[index.internalId() - 1].size));
    case kArchive: return qtText(catalog.label);
    case kPath: return qtText(HitShownPath(HitOfCopy(*copy, catalog)));
    case kMedium: return catalog.mounted ? texts_.mounted : texts_.offline;
    default: return {};
  }
}

QVariant DuplicateListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= captions_.size())
    return {};
  return captions_[section];
}

void DuplicateListModel::setCaptions(const QStringList& captions) {
  captions_ = captions;
  emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void DuplicateListModel::setTexts(const Texts& texts) {
  texts_ = texts;
  emit layoutChanged();
}

void DuplicateListModel::setGroups(DupeGroups groups, std::vector<DupeCatalog> catalogs) {
  beginResetModel();
  groups_ = std::move(groups);
  catalogs_ = std::move(catalogs);
  endResetModel();
}

std::int64_t DuplicateListModel::wastedTotal() const {
  std::int64_t total = 0;
  for (const DupeGroup& g : groups_) total += g.wasted();
  return total;
}

}  // namespace kolvex
