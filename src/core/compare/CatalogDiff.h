#pragma once
// What changed between two catalogs of the same tree: files added, removed, changed (size,
// time, or content where both catalogs have a fingerprint) and moved (the same content, or
// the same name and size, in another folder).
#include <cstdint>
#include <string>
#include <vector>

#include "core/compare/CatalogFiles.h"

namespace kolvex {

enum class DiffKind { Added, Removed, Changed, Moved };

struct DiffItem {
  DiffKind kind = DiffKind::Added;
  std::string oldPath;  // empty for Added
  std::string newPath;  // empty for Removed
  std::int64_t oldSize = 0, newSize = 0;
  double oldTime = 0.0, newTime = 0.0;
  // For Changed: what differs, any of "size", "time", "content".
  std::vector<std::string> what;
};

struct DiffTotals {
  std::int64_t count = 0;
  std::int64_t bytes = 0;  // the new size; the old one for Removed
};

struct CatalogDiff {
  std::vector<DiffItem> items;  // by kind, then by path
  DiffTotals added, removed, changed, moved;
  bool same() const { return items.empty(); }
};

CatalogDiff diffCatalogs(const CatalogFiles& older, const CatalogFiles& newer);

const char* diffKindName(DiffKind kind);

}  // namespace kolvex
