#include "core/explorer/ListFolder.h"

#include <algorithm>

namespace kolvex {

std::vector<FolderEntry> ListFolder(CatalogReader& reader, const FolderTree& tree,
                                    const TreeNode& folder,
                                    const std::function<void(std::int64_t)>& afterFile) {
  std::vector<FolderEntry> entries;
  // The record's own count is a hint only: never reserve more than the area could hold.
  std::uint64_t files = static_cast<std::uint64_t>(std::max(folder.record.FilesOnlyUM, 0));
  entries.reserve(folder.children.size() + std::min<std::uint64_t>(files, reader.areaSize() / 32));
  for (const TreeNode* child : folder.children)
    entries.push_back({child->record, child->position, child});
  std::int64_t holder = folder.position;
  reader.forEachInChain(folder.position, fileChainOf(folder.record),
                        [&](std::int64_t pos, const TSCFileObjectInfo& r) {
                          if (!tree.isFileStart(pos)) throwBadLink(pos, holder);
                          holder = pos;
                          entries.push_back({explorerSnapshot(r), pos, nullptr});
                          afterFile(static_cast<std::int64_t>(entries.size()));
                        });
  return entries;
}

}  // namespace kolvex
