#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "core/explorer/FolderEntry.h"
#include "core/explorer/TreeNode.h"
#include "core/persist/CatalogReader.h"

namespace kolvex {

// The entries of one folder in walk order: its sub-folders (the tree already holds them,
// in link order), then its files, read along its file chain from the open catalog.
// afterFile runs after each file with the number of entries so far; it may let window
// events run. Throws EStreamError for a damaged chain.
std::vector<FolderEntry> ListFolder(CatalogReader& reader, const TreeNode& folder,
                                    const std::function<void(std::int64_t)>& afterFile);

}  // namespace kolvex
