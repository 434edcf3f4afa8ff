#include "ui/search/SearchResultModel.h"

#include <algorithm>

#include "ui/search/HitTexts.h"

namespace kolvex {

SearchResultModel::SearchResultModel(HitAppearance& appearance, QObject* parent)
    : QAbstractTableModel(parent), appearance_(appearance) {
  captions_ = {"#Name#", "#CDLabel#", "#Description#", "#Date#", "#Size#", "#Folder#"};
}

SearchResultModel::~SearchResultModel() = default;

int SearchResultModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SearchResultModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant SearchResultModel::data(const QModelIndex& index, int role) const {
  const TTSearchResultItem* hit = hitAt(index.row());
  if (!hit || !index.isValid()) return {};
  if (role == Qt::DisplayRole) {
    switch (index.column()) {
      case kNameColumn:
        return QString::fromStdString(hit->Name);
      case kLabelColumn:
        return QString::fromStdString(hit->CDLabel);
      case kKindColumn:
        return QString::fromStdString(hit->KindText);
      case kDateColumn:
        return QString::fromStdString(HitDateText(*hit));
      case kSizeColumn:
        return QString::fromStdString(HitSizeText(*hit));
      case kFolderColumn:
        return QString::fromStdString(HitFolderText(*hit));
    }
  }
  if (role == Qt::DecorationRole && index.column() == kNameColumn) {
    const QIcon icon = appearance_.icon(rows_[index.row()]->icon);
    if (!icon.isNull()) return icon;
  }
  if (role == Qt::TextAlignmentRole && index.column() == kSizeColumn)
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
      section < captions_.size())
    return captions_[section];
  return QAbstractTableModel::headerData(section, orientation, role);
}

void SearchResultModel::setCaptions(const QStringList& captions) {
  captions_ = captions;
  emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

bool SearchResultModel::before(const Row& a, const Row& b) const {
  return CompareHits(a.hit, b.hit, sortKey_) < 0;
}

void SearchResultModel::add(std::vector<TTSearchResultItem>&& hits, std::vector<int>&& icons) {
  if (hits.empty()) return;
  if (sortKey_ == kHitSortNone) {
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(hits.size()) - 1);
    rows_.reserve(rows_.size() + hits.size());
    for (std::size_t i = 0; i < hits.size(); ++i)
      rows_.push_back(std::make_unique<Row>(Row{std::move(hits[i]), icons[i]}));
    endInsertRows();
    return;
  }
  for (std::size_t i = 0; i < hits.size(); ++i) {
    auto row = std::make_unique<Row>(Row{std::move(hits[i]), icons[i]});
    auto at = std::upper_bound(rows_.begin(), rows_.end(), row,
                               [this](const auto& a, const auto& b) { return before(*a, *b); });
    const int position = static_cast<int>(at - rows_.begin());
    beginInsertRows({}, position, position);
    rows_.insert(at, std::move(row));
    endInsertRows();
  }
}

void SearchResultModel::clear() {
  if (rows_.empty()) return;
  beginResetModel();
  rows_.clear();
  endResetModel();
}

void SearchResultModel::setSortKey(int key) {
  sortKey_ = key;
  if (key == kHitSortNone || rows_.size() < 2) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<const TTSearchResultItem*> hits;
  hits.reserve(rows_.size());
  for (const auto& row : rows_) hits.push_back(&row->hit);
  const std::vector<int> order = SortedOrder(hits, key);
  std::vector<int> newRowOf(rows_.size());
  std::vector<std::unique_ptr<Row>> sorted(rows_.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    sorted[i] = std::move(rows_[order[i]]);
    newRowOf[order[i]] = static_cast<int>(i);
  }
  rows_ = std::move(sorted);
  const QModelIndexList old = persistentIndexList();
  QModelIndexList moved;
  moved.reserve(old.size());
  for (const QModelIndex& i : old) moved.push_back(index(newRowOf[i.row()], i.column()));
  changePersistentIndexList(old, moved);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

const TTSearchResultItem* SearchResultModel::hitAt(int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
  return &rows_[row]->hit;
}

int SearchResultModel::iconAt(int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return -1;
  return rows_[row]->icon;
}

}  // namespace kolvex
