#pragma once
// The explorer's file list as a Qt model over the entries of the folder shown: name,
// description, date and size. Texts and icons are made when a row is painted, the type
// names once per extension, so a folder of 100,000 files costs nothing until it is seen.
#include <QAbstractTableModel>
#include <QString>
#include <array>

#include "core/explorer/ExplorerModel.h"
#include "core/explorer/TypeNameCache.h"
#include "ui/explorer/ExplorerIcons.h"

namespace kolvex {

class FileListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  FileListModel(const ExplorerModel& model, IconProvider& types, ExplorerIcons& icons,
                QObject* parent);

  // Column captions (A012 to A015) and the description of folders (A016).
  void setTexts(const std::array<QString, kColumnCount>& captions, const QString& folderText);
  // Around every change of the model's entries.
  void beginChange() { beginResetModel(); }
  void endChange();

  const FolderEntry* entryAt(int row) const;
  // The row of the entry whose name is exactly name; -1 when there is none.
  int rowNamed(const std::string& name) const;
  int rowAtPosition(std::int64_t position) const;
  // The description column's text of an entry.
  QString kindOf(const FolderEntry& entry) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const ExplorerModel& model_;
  mutable TypeNameCache types_;
  ExplorerIcons& icons_;
  std::array<QString, kColumnCount> captions_;
  QString folderText_;
};

}  // namespace kolvex
