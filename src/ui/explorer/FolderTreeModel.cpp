#include "ui/explorer/FolderTreeModel.h"

#include "ui/common/QtText.h"

namespace kolvex {

FolderTreeModel::FolderTreeModel(const ExplorerModel& model, const ExplorerIcons& icons,
                                 QObject* parent)
    : QAbstractItemModel(parent), model_(model), icons_(icons) {}

void FolderTreeModel::nodeChanged(const TreeNode* node) {
  const QModelIndex at = indexOf(node);
  if (at.isValid()) emit dataChanged(at, at, {Qt::DecorationRole});
}

QModelIndex FolderTreeModel::indexOf(const TreeNode* node) const {
  if (!node) return {};
  return createIndex(node->parent ? node->row : 0, 0, const_cast<TreeNode*>(node));
}

const TreeNode* FolderTreeModel::nodeOf(const QModelIndex& index) {
  return index.isValid() ? static_cast<const TreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  if (!parent.isValid()) return row == 0 ? indexOf(model_.tree().root()) : QModelIndex();
  const TreeNode* node = nodeOf(parent);
  if (static_cast<std::size_t>(row) >= node->children.size()) return {};
  return indexOf(node->children[static_cast<std::size_t>(row)]);
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const {
  const TreeNode* node = nodeOf(child);
  return node ? indexOf(node->parent) : QModelIndex();
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return model_.tree().root() ? 1 : 0;
  if (parent.column() != 0) return 0;
  return static_cast<int>(nodeOf(parent)->children.size());
}

int FolderTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const {
  const TreeNode* node = nodeOf(index);
  if (!node) return {};
  if (role == Qt::DisplayRole) return storedText(node->text);
  if (role == Qt::DecorationRole)
    return node == model_.CurrentNode() ? icons_.openFolder() : icons_.closedFolder();
  return {};
}

}  // namespace kolvex
