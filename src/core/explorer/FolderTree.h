#pragma once
// The folders of one catalog. Nodes live in one container rather than in their parents,
// so neither building nor destroying a deeply nested tree recurses.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "core/explorer/TreeNode.h"

namespace kolvex {

class FolderTree {
 public:
  FolderTree() = default;
  FolderTree(FolderTree&&) = default;
  FolderTree& operator=(FolderTree&&) = default;
  FolderTree(const FolderTree&) = delete;
  FolderTree& operator=(const FolderTree&) = delete;

  // The first node; the tree must be empty.
  TreeNode& addRoot(TTFileObjectInfo record, std::int64_t position, std::string text);
  // Appends a child to parent, which must belong to this tree.
  TreeNode& addChild(TreeNode& parent, TTFileObjectInfo record, std::int64_t position,
                     std::string text);

  // Orders every node's children by name as people read them (NaturalOrder), folders of
  // equal names in the order the catalog links them.
  void sortByName();

  const TreeNode* root() const { return nodes_.empty() ? nullptr : &nodes_.front(); }
  bool empty() const { return nodes_.empty(); }
  std::size_t size() const { return nodes_.size(); }
  void clear() {
    nodes_.clear();
    fileStarts_.clear();
  }

  // Where the catalog's file records start, ascending: a link of a file chain must name
  // one of them, not a place inside another record.
  void setFileStarts(std::vector<std::int64_t> starts) { fileStarts_ = std::move(starts); }
  bool isFileStart(std::int64_t pos) const;

 private:
  std::deque<TreeNode> nodes_;
  std::vector<std::int64_t> fileStarts_;
};

// The node reached by an address: the root's text followed by the folder's path below
// it ("MYDISC\Docs\Old", a trailing backslash allowed). The first component stands for
// the root and is never compared, so an empty label works like any other; each further
// component moves to the first child whose text equals it exactly, and a component that
// names no child is skipped. Null only for an empty tree.
const TreeNode* FindTreeNodeByPath(const std::string& path, const FolderTree& tree);

}  // namespace kolvex
