#pragma once
// The catalogs of the archive manager's list: label, file system, date and time, volume
// size in bytes and base folder, with the catalog's icons. Ordered by label as people read
// names (digits by value, letters without case) unless the user sorts by another column.
#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

#include "core/persist/TSCCDInfo.h"

namespace kolvex {

class ArchiveListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kLabel, kFormat, kDateTime, kSize, kBaseDir, kColumnCount };
  // The catalog file of a row.
  static constexpr int kPathRole = Qt::UserRole + 1;

  struct Row {
    QString label, format, baseDir, path;
    QIcon icon;
    double created = 0;       // the header's CreateDateTime, for sorting by date
    std::int64_t bytes = 0;   // the volume size, for sorting by size
  };

  explicit ArchiveListModel(QObject* parent = nullptr);

  static Row rowFor(const TSCCDInfo& header, const std::string& path);
  void setRows(std::vector<Row> rows);
  void clear() { setRows({}); }
  const Row& row(int index) const { return rows_[static_cast<std::size_t>(index)]; }
  // The captions, and the text of a capacity the volume did not report ("unknown").
  void setColumnCaptions(const QStringList& captions, const QString& unknownSize);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // Orders the rows by a column (kept for the rows of later refreshes).
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
  int sortColumn() const { return sortColumn_; }
  Qt::SortOrder sortOrder() const { return sortOrder_; }

 private:
  bool before(const Row& a, const Row& b) const;
  void sortRows();

  std::vector<Row> rows_;
  QStringList captions_;
  QString unknownSize_;
  int sortColumn_ = kLabel;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
  QIcon fallback_;
};

}  // namespace kolvex
