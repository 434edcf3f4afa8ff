#pragma once
#include <cstdint>

#include "core/explorer/TreeNode.h"
#include "core/persist/TSCFileObjectInfo.h"

namespace kolvex {

// The snapshot the explorer keeps of a record. An icon the record does not store is left
// out (null) rather than shared as an empty picture, so that a tree of 100,000 folders
// and a list of 100,000 files do not hold two empty pictures per entry.
TTFileObjectInfo explorerSnapshot(const TSCFileObjectInfo& record);

// One row of the file list: a sub-folder or a file of the folder shown.
struct FolderEntry {
  TTFileObjectInfo record;
  std::int64_t position = kNoRecord;  // the record's position in the record area
  const TreeNode* node = nullptr;     // the tree node of a sub-folder, null for files

  // The list tells folders by their time stamp: the scanner stores 0 for every folder.
  bool isFolder() const { return record.CreateDateTime == 0.0; }
};

}  // namespace kolvex
