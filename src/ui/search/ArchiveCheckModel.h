#pragma once
// The catalog check list of the criteria panel over the search engine's catalog list:
// the label shown, the tick as the check state; the catalog file stays with the entry.
#include <QAbstractListModel>

namespace kolvex {

class SearchEngine;

class ArchiveCheckModel : public QAbstractListModel {
  Q_OBJECT

 public:
  ArchiveCheckModel(SearchEngine& engine, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The engine's list was replaced.
  void reload();
  // Ticks were changed in the engine.
  void ticksChanged();

 private:
  SearchEngine& engine_;
};

}  // namespace kolvex
