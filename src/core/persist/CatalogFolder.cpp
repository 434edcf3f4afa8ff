#include "core/persist/CatalogFolder.h"

namespace kolvex {

std::optional<CatalogFolder> FindCatalogFolder(CatalogReader& reader, std::string_view path) {
  CatalogFolder at{reader.header().EntranceRP, snapshotOf(reader.readRoot()), "/"};
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t slash = path.find('/', start);
    if (slash == std::string_view::npos) slash = path.size();
    const std::string_view part = path.substr(start, slash - start);
    start = slash + 1;
    if (part.empty()) continue;
    // The whole chain is read even after a match, so that its count is checked.
    std::optional<CatalogFolder> next;
    reader.forEachInChain(at.position, folderChainOf(at.record),
                          [&](std::int64_t p, const TSCFileObjectInfo& r) {
                            if (!next && r.FileName == part)
                              next = CatalogFolder{p, snapshotOf(r), {}};
                          });
    if (!next) return std::nullopt;
    next->path = at.path == "/" ? "/" + std::string(part) : at.path + "/" + std::string(part);
    at = std::move(*next);
  }
  return at;
}

FolderListing ListCatalogFolder(CatalogReader& reader, const CatalogFolder& folder) {
  FolderListing listing;
  reader.forEachInChain(folder.position, folderChainOf(folder.record),
                        [&](std::int64_t pos, const TSCFileObjectInfo& r) {
                          listing.folders.push_back({pos, snapshotOf(r)});
                        });
  reader.forEachInChain(folder.position, fileChainOf(folder.record),
                        [&](std::int64_t pos, const TSCFileObjectInfo& r) {
                          listing.files.push_back({pos, snapshotOf(r)});
                        });
  return listing;
}

}  // namespace kolvex
