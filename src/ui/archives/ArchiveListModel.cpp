#include "ui/archives/ArchiveListModel.h"

#include <QApplication>
#include <QStyle>
#include <algorithm>

#include "core/catalog/NaturalOrder.h"
#include "ui/catalog/IconPicture.h"
#include "ui/common/QtText.h"

namespace kolvex {

ArchiveListModel::ArchiveListModel(QObject* parent) : QAbstractTableModel(parent) {
  // Catalogs made without a desktop carry no icons; they still need something to click.
  fallback_ = QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon);
}

ArchiveListModel::Row ArchiveListModel::rowFor(const TSCCDInfo& header, const std::string& path) {
  Row r;
  r.label = QString::fromStdString(header.CDLabel);
  r.format = QString::fromStdString(header.CDFormat);
  r.baseDir = QString::fromStdString(header.BaseDir);
  r.path = QString::fromStdString(path);
  r.icon = iconOfPair(*header.CDIconSmall, *header.CDIconLarge);
  r.created = header.CreateDateTime;
  r.bytes = header.CDSize;
  return r;
}

void ArchiveListModel::setRows(std::vector<Row> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  sortRows();
  endResetModel();
}

bool ArchiveListModel::before(const Row& a, const Row& b) const {
  auto text = [](const QString& x, const QString& y) {
    return NaturalCompare(x.toStdString(), y.toStdString());
  };
  int c = 0;
  switch (sortColumn_) {
    case kFormat:
      c = text(a.format, b.format);
      break;
    case kDateTime:
      c = a.created < b.created ? -1 : a.created > b.created ? 1 : 0;
      break;
    case kSize:
      c = a.bytes < b.bytes ? -1 : a.bytes > b.bytes ? 1 : 0;
      break;
    case kBaseDir:
      c = text(a.baseDir, b.baseDir);
      break;
    default:
      c = text(a.label, b.label);
  }
  if (sortOrder_ == Qt::DescendingOrder) c = -c;
  // Equal keys: the label, then the file, so a refresh never reorders equal rows.
  if (c == 0) c = text(a.label, b.label);
  if (c == 0) c = text(a.path, b.path);
  return c < 0;
}

void ArchiveListModel::sortRows() {
  std::stable_sort(rows_.begin(), rows_.end(), [this](const Row& a, const Row& b) { return before(a, b); });
}

void ArchiveListModel::sort(int column, Qt::SortOrder order) {
  if (column < 0 || column >= kColumnCount) return;
  sortColumn_ = column;
  sortOrder_ = order;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList old = persistentIndexList();
  std::vector<QString> paths;
  for (const QModelIndex& i : old) paths.push_back(row(i.row()).path);
  sortRows();
  QModelIndexList moved;
  for (std::size_t k = 0; k < paths.size(); ++k) {
    int at = 0;
    while (at < rowCount() && rows_[static_cast<std::size_t>(at)].path != paths[k]) ++at;
    moved.push_back(index(at, old[static_cast<int>(k)].column()));
  }
  changePersistentIndexList(old, moved);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ArchiveListModel::setColumnCaptions(const QStringList& captions, const QString& unknownSize) {
  captions_ = captions;
  unknownSize_ = unknownSize;
  emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
  // A new language also brings its forms of dates.
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

int ArchiveListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ArchiveListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant ArchiveListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Row& r = row(index.row());
  if (role == kPathRole) return r.path;
  if (role == Qt::DecorationRole && index.column() == kLabel)
    return r.icon.isNull() ? fallback_ : r.icon;
  if (role == Qt::ToolTipRole && index.column() == kLabel) return r.baseDir;
  if (role == Qt::TextAlignmentRole && index.column() == kSize)
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  switch (index.column()) {
    case kLabel:
      return r.label;
    case kFormat:
      return r.format;
    case kDateTime:
      return DateTimeTextOf(r.created);
    case kSize:
      return r.bytes < 0 ? unknownSize_ : QString::number(r.bytes);
    case kBaseDir:
      return r.baseDir;
  }
  return {};
}

QVariant ArchiveListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section < captions_.size() ? captions_[section] : QVariant();
}

}  // namespace kolvex
