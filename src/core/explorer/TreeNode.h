#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/persist/TSCFileObjectInfo.h"

namespace kolvex {

// One folder of the explorer tree. Nodes are owned by their FolderTree and never move,
// so views and the history may hold pointers to them until the tree is cleared.
struct TreeNode {
  TTFileObjectInfo record;            // the folder's own record (explorerSnapshot)
  std::int64_t position = kNoRecord;  // where that record starts in the record area
  std::string text;                   // the folder's name; the catalog label at the root
  TreeNode* parent = nullptr;
  std::vector<TreeNode*> children;  // by name once loaded (FolderTree::sortByName)
  int row = 0;                      // index among the parent's children
};

}  // namespace kolvex
