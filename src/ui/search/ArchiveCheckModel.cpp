#include "ui/search/ArchiveCheckModel.h"

#include "core/search/SearchEngine.h"

namespace kolvex {

ArchiveCheckModel::ArchiveCheckModel(SearchEngine& engine, QObject* parent)
    : QAbstractListModel(parent), engine_(engine) {}

int ArchiveCheckModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(engine_.archives().size());
}

QVariant ArchiveCheckModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const CheckedArchive& entry = engine_.archives()[index.row()];
  if (role == Qt::DisplayRole) return QString::fromStdString(entry.label);
  if (role == Qt::ToolTipRole)
    return QString::fromStdString(entry.label) + '\n' + QString::fromStdString(entry.path);
  if (role == Qt::CheckStateRole) return entry.checked ? Qt::Checked : Qt::Unchecked;
  return {};
}

bool ArchiveCheckModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= rowCount()) return false;
  engine_.setChecked(index.row(), value.toInt() == Qt::Checked);
  emit dataChanged(index, index, {Qt::CheckStateRole});
  return true;
}

Qt::ItemFlags ArchiveCheckModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

void ArchiveCheckModel::reload() {
  beginResetModel();
  endResetModel();
}

void ArchiveCheckModel::ticksChanged() {
  if (rowCount() > 0) emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
}

}  // namespace kolvex
