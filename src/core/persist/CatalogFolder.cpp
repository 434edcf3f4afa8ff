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
    std::optional<CatalogFolder> next;
    reader.forEachInChain(at.record.ChildDirRP, at.position,
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

}  // namespace kolvex
