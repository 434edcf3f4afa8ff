#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "core/explorer/FolderEntry.h"
#include "core/explorer/FolderTree.h"
#include "core/persist/CatalogReader.h"

namespace kolvex {

// The entries of one folder of the tree in walk order: its sub-folders (the tree already
// holds them, in link order), then its files, read along its file chain from the open
// catalog. Each file must start where the tree's pass found a file record, be a file, and
// the chain must hold as many as the folder's counter says. afterFile runs after each
// file with the number of entries so far; it may let window events run. Throws
// EStreamError for a damaged chain.
std::vector<FolderEntry> ListFolder(CatalogReader& reader, const FolderTree& tree,
                                    const TreeNode& folder,
                                    const std::function<void(std::int64_t)>& afterFile);

}  // namespace kolvex
