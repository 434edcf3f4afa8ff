#pragma once
// The explorer's folder tree as a Qt model over the catalog's FolderTree: the nodes are
// the model's items, the folder shown has the open-folder icon.
#include <QAbstractItemModel>

#include "core/explorer/ExplorerModel.h"
#include "ui/explorer/ExplorerIcons.h"

namespace kolvex {

class FolderTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  FolderTreeModel(const ExplorerModel& model, const ExplorerIcons& icons, QObject* parent);

  void beginChange() { beginResetModel(); }
  void endChange() { endResetModel(); }
  // The node's icon changes (it became or stopped being the folder shown).
  void nodeChanged(const TreeNode* node);

  QModelIndex indexOf(const TreeNode* node) const;
  static const TreeNode* nodeOf(const QModelIndex& index);

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  const ExplorerModel& model_;
  const ExplorerIcons& icons_;
};

}  // namespace kolvex
