#include "core/compare/CatalogDiff.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <unordered_map>

namespace kolvex {
namespace {

std::string folderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

DiffItem item(DiffKind kind, const CatalogFile* a, const CatalogFile* b) {
  DiffItem d;
  d.kind = kind;
  if (a) {
    d.oldPath = a->path;
    d.oldSize = a->size;
    d.oldTime = a->time;
  }
  if (b) {
    d.newPath = b->path;
    d.newSize = b->size;
    d.newTime = b->time;
  }
  return d;
}

// Pairs files that left one folder with files that arrived in another, first by content
// where both have a fingerprint, then by name and size. Each file pairs once.
void pairMoves(std::vector<const CatalogFile*>& gone, std::vector<const CatalogFile*>& come,
               std::vector<DiffItem>& moves) {
  auto pass = [&](auto keyOf, auto usable) {
    std::multimap<decltype(keyOf(*gone.front())), std::size_t> byKey;
    for (std::size_t i = 0; i < gone.size(); ++i)
      if (gone[i] && usable(*gone[i])) byKey.emplace(keyOf(*gone[i]), i);
    for (auto& c : come) {
      if (!c || !usable(*c)) continue;
      auto [lo, hi] = byKey.equal_range(keyOf(*c));
      for (auto it = lo; it != hi; ++it) {
        const CatalogFile* g = gone[it->second];
        if (folderOf(g->path) == folderOf(c->path)) continue;
        moves.push_back(item(DiffKind::Moved, g, c));
        gone[it->second] = nullptr;
        c = nullptr;
        byKey.erase(it);
        break;
      }
    }
  };
  if (gone.empty() || come.empty()) return;
  pass([](const CatalogFile& f) { return std::make_tuple(f.size, *f.fingerprint); },
       [](const CatalogFile& f) { return f.fingerprint.has_value(); });
  pass([](const CatalogFile& f) { return std::make_tuple(f.size, nameOf(f.path)); },
       [](const CatalogFile&) { return true; });
}

void add(DiffTotals& t, std::int64_t bytes) {
  ++t.count;
  t.bytes += bytes;
}

}  // namespace

const char* diffKindName(DiffKind kind) {
  switch (kind) {
    case DiffKind::Added: return "added";
    case DiffKind::Removed: return "removed";
    case DiffKind::Changed: return "changed";
    case DiffKind::Moved: return "moved";
  }
  return "";
}

CatalogDiff diffCatalogs(const CatalogFiles& older, const CatalogFiles& newer) {
  CatalogDiff diff;
  std::unordered_map<std::string_view, const CatalogFile*> before;
  before.reserve(older.files.size());
  for (const CatalogFile& f : older.files) before.emplace(f.path, &f);
  std::vector<const CatalogFile*> come, gone;
  std::unordered_map<std::string_view, bool> matched;
  for (const CatalogFile& b : newer.files) {
    auto it = before.find(b.path);
    if (it == before.end()) {
      come.push_back(&b);
      continue;
    }
    const CatalogFile& a = *it->second;
    matched.emplace(a.path, true);
    DiffItem d = item(DiffKind::Changed, &a, &b);
    if (a.size != b.size) d.what.push_back("size");
    if (a.time != b.time) d.what.push_back("time");
    if (a.fingerprint && b.fingerprint && *a.fingerprint != *b.fingerprint)
      d.what.push_back("content");
    if (!d.what.empty()) diff.items.push_back(std::move(d));
  }
  for (const CatalogFile& a : older.files)
    if (!matched.count(a.path)) gone.push_back(&a);
  pairMoves(gone, come, diff.items);
  for (const CatalogFile* a : gone)
    if (a) diff.items.push_back(item(DiffKind::Removed, a, nullptr));
  for (const CatalogFile* b : come)
    if (b) diff.items.push_back(item(DiffKind::Added, nullptr, b));
  std::sort(diff.items.begin(), diff.items.end(), [](const DiffItem& x, const DiffItem& y) {
    const std::string& px = x.newPath.empty() ? x.oldPath : x.newPath;
    const std::string& py = y.newPath.empty() ? y.oldPath : y.newPath;
    return std::tie(x.kind, px) < std::tie(y.kind, py);
  });
  for (const DiffItem& d : diff.items) {
    switch (d.kind) {
      case DiffKind::Added: add(diff.added, d.newSize); break;
      case DiffKind::Removed: add(diff.removed, d.oldSize); break;
      case DiffKind::Changed: add(diff.changed, d.newSize); break;
      case DiffKind::Moved: add(diff.moved, d.newSize); break;
    }
  }
  return diff;
}

}  // namespace kolvex
