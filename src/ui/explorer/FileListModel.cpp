#include "ui/explorer/FileListModel.h"

#include "ui/common/QtText.h"

namespace kolvex {

FileListModel::FileListModel(const ExplorerModel& model, IconProvider& types, ExplorerIcons& icons,
                             QObject* parent)
    : QAbstractTableModel(parent), model_(model), types_(types), icons_(icons) {}

void FileListModel::setTexts(const std::array<QString, kColumnCount>& captions,
                             const QString& folderText) {
  captions_ = captions;
  folderText_ = folderText;
  emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
  // A new language brings its type names and its forms of dates.
  types_.clear();
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

void FileListModel::endChange() {
  // Type names and icons are asked again for every listing, so a changed desktop shows.
  types_.clear();
  icons_.clearRecords();
  endResetModel();
}

const FolderEntry* FileListModel::entryAt(int row) const {
  const auto& entries = model_.entries();
  if (row < 0 || static_cast<std::size_t>(row) >= entries.size()) return nullptr;
  return &entries[static_cast<std::size_t>(row)];
}

int FileListModel::rowNamed(const std::string& name) const {
  const auto& entries = model_.entries();
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].record.FileName == name) return static_cast<int>(i);
  return -1;
}

int FileListModel::rowAtPosition(std::int64_t position) const {
  const auto& entries = model_.entries();
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].position == position) return static_cast<int>(i);
  return -1;
}

QString FileListModel::kindOf(const FolderEntry& entry) const {
  if (entry.isFolder()) return folderText_;
  return QString::fromStdString(types_.typeNameOf(entry.record.FileName));
}

int FileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(model_.entries().size());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  const FolderEntry* entry = entryAt(index.row());
  if (!entry) return {};
  const TTFileObjectInfo& r = entry->record;
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
    switch (index.column()) {
      case 0:
        return storedText(r.FileName);
      case 1:
        return kindOf(*entry);
      case 2:
        return entry->isFolder() ? QString("--") : DateTimeTextOf(r.CreateDateTime);
      case 3:
        return QString::number(r.FileSize);
    }
  } else if (role == Qt::DecorationRole && index.column() == 0) {
    return icons_.iconOf(r, entry->position);
  } else if (role == Qt::TextAlignmentRole && index.column() == 3) {
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  }
  return {};
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
  if (role == Qt::DisplayRole) return captions_[static_cast<std::size_t>(section)];
  if (role == Qt::TextAlignmentRole && section == 3)
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

}  // namespace kolvex
