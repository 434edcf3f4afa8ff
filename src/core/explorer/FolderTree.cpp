#include "core/explorer/FolderTree.h"

#include <algorithm>
#include <stdexcept>

#include "core/catalog/NaturalOrder.h"

namespace kolvex {

TreeNode& FolderTree::addRoot(TTFileObjectInfo record, std::int64_t position, std::string text) {
  if (!nodes_.empty()) throw std::logic_error("FolderTree::addRoot on a tree with a root");
  TreeNode& n = nodes_.emplace_back();
  n.record = std::move(record);
  n.position = position;
  n.text = std::move(text);
  return n;
}

TreeNode& FolderTree::addChild(TreeNode& parent, TTFileObjectInfo record, std::int64_t position,
                               std::string text) {
  TreeNode& n = nodes_.emplace_back();
  n.record = std::move(record);
  n.position = position;
  n.text = std::move(text);
  n.parent = &parent;
  n.row = static_cast<int>(parent.children.size());
  parent.children.push_back(&n);
  return n;
}

bool FolderTree::isFileStart(std::int64_t pos) const {
  return std::binary_search(fileStarts_.begin(), fileStarts_.end(), pos);
}

void FolderTree::sortByName() {
  for (TreeNode& node : nodes_) {
    std::stable_sort(node.children.begin(), node.children.end(),
                     [](const TreeNode* a, const TreeNode* b) { return NaturalLess(a->text, b->text); });
    for (std::size_t i = 0; i < node.children.size(); ++i) node.children[i]->row = static_cast<int>(i);
  }
}

const TreeNode* FindTreeNodeByPath(const std::string& path, const FolderTree& tree) {
  const TreeNode* node = tree.root();
  if (!node) return nullptr;
  std::string_view rest(path);
  if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
  std::size_t cut = rest.find('\\');
  if (cut == std::string_view::npos) return node;  // the root's own component only
  rest.remove_prefix(cut + 1);
  for (;;) {
    cut = rest.find('\\');
    std::string_view part = rest.substr(0, cut);
    for (const TreeNode* child : node->children) {
      if (child->text == part) {
        node = child;
        break;
      }
    }
    if (cut == std::string_view::npos) return node;
    rest.remove_prefix(cut + 1);
  }
}

}  // namespace kolvex
