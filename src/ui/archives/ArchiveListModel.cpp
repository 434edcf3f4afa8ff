#include "ui/archives/ArchiveListModel.h"

#include <QApplication>
#include <QStyle>

#include "core/catalog/DateTimeText.h"
#include "ui/catalog/IconPicture.h"

namespace kolvex {

ArchiveListModel::ArchiveListModel(QObject* parent) : QAbstractTableModel(parent) {
  // Catalogs made without a desktop carry no icons; they still need something to click.
  fallback_ = QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon);
}

ArchiveListModel::Row ArchiveListModel::rowFor(const TSCCDInfo& header, const std::string& path) {
  Row r;
  r.label = QString::fromStdString(header.CDLabel);
  r.format = QString::fromStdString(header.CDFormat);
  r.dateTime = QString::fromStdString(DateTimeText(header.CreateDateTime));
  r.size = QString::number(header.CDSize);
  r.baseDir = QString::fromStdString(header.BaseDir);
  r.path = QString::fromStdString(path);
  r.icon = iconOfPair(*header.CDIconSmall, *header.CDIconLarge);
  return r;
}

void ArchiveListModel::setRows(std::vector<Row> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

void ArchiveListModel::setColumnCaptions(const QStringList& captions) {
  captions_ = captions;
  emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
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
      return r.dateTime;
    case kSize:
      return r.size;
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
