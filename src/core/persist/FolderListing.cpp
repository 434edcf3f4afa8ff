#include "core/persist/FolderListing.h"

namespace kolvex {

ListedEntry CatalogRoot(CatalogReader& reader) {
  const std::int64_t pos = reader.header().EntranceRP;
  return {pos, snapshotOf(reader.readAt(pos))};
}

std::optional<ListedEntry> FindCatalogFolder(CatalogReader& reader,
                                             const std::vector<std::string>& names) {
  ListedEntry current = CatalogRoot(reader);
  for (const std::string& name : names) {
    std::optional<ListedEntry> next;
    reader.forEachInChain(current.pos, folderChainOf(current.record),
                          [&](std::int64_t pos, const TSCFileObjectInfo& r) {
                            if (!next && r.FileName == name) next = ListedEntry{pos, snapshotOf(r)};
                          });
    if (!next) return std::nullopt;
    current = std::move(*next);
  }
  return current;
}

FolderListing ListCatalogFolder(CatalogReader& reader, const ListedEntry& folder) {
  FolderListing listing;
  reader.forEachInChain(folder.pos, folderChainOf(folder.record),
                        [&](std::int64_t pos, const TSCFileObjectInfo& r) {
                          listing.folders.push_back({pos, snapshotOf(r)});
                        });
  reader.forEachInChain(folder.pos, fileChainOf(folder.record),
                        [&](std::int64_t pos, const TSCFileObjectInfo& r) {
                          listing.files.push_back({pos, snapshotOf(r)});
                        });
  return listing;
}

}  // namespace kolvex
