#include "core/spacemap/SpaceTree.h"

#include <algorithm>

#include "core/persist/PersistError.h"
#include "core/report/Saturating.h"

namespace kolvex {

std::optional<SpaceTree> SpaceTree::Build(CatalogReader& reader, std::int64_t start,
                                          FileKinds& kinds, const WalkProceed& proceed) {
  SpaceTree t;
  SpaceNode top;
  top.position = start;
  top.isFolder = true;
  t.nodes_.push_back(top);
  // The node index of each folder the walk numbers.
  std::vector<Index> folderNode{0};
  auto addName = [&](SpaceNode& n, std::string_view name) {
    if (t.names_.size() + name.size() > UINT32_MAX) throw EStreamError("The catalog is too large to map");
    n.nameOffset = static_cast<std::uint32_t>(t.names_.size());
    n.nameLength = static_cast<std::uint32_t>(name.size());
    t.names_.append(name);
  };
  {
    const TSCFileObjectInfo& r = reader.readAt(start);
    addName(t.nodes_.front(), r.FileName);
  }
  CatalogWalk walk(reader, start, "/");
  const bool complete = walk.run(
      [&](const WalkEntry& e) {
        if (t.nodes_.size() >= UINT32_MAX) throw EStreamError("The catalog is too large to map");
        SpaceNode n;
        n.position = e.position;
        n.parent = static_cast<std::int32_t>(folderNode[static_cast<std::size_t>(e.folderIndex)]);
        n.isFolder = e.isFolder;
        if (e.isFolder) {
          folderNode.push_back(static_cast<Index>(t.nodes_.size()));
        } else {
          n.bytes = countedSize(e.record.FileSize);
          n.kind = kinds.kindOf(e.record.FileName);
        }
        addName(n, e.record.FileName);
        t.nodes_.push_back(n);
      },
      proceed);
  if (!complete) return std::nullopt;

  // Parents come before their children: a backward pass adds the totals upwards, and a
  // counting pass groups each folder's children in one list.
  const std::size_t n = t.nodes_.size();
  for (std::size_t i = n; i-- > 1;) {
    SpaceNode& parent = t.nodes_[static_cast<std::size_t>(t.nodes_[i].parent)];
    parent.bytes = saturatingAdd(parent.bytes, t.nodes_[i].bytes);
    ++parent.childCount;
  }
  std::uint32_t at = 0;
  for (SpaceNode& node : t.nodes_) {
    node.firstChild = at;
    at += node.childCount;
    node.childCount = 0;
  }
  t.children_.resize(n - 1);
  for (std::size_t i = 1; i < n; ++i) {
    SpaceNode& parent = t.nodes_[static_cast<std::size_t>(t.nodes_[i].parent)];
    t.children_[parent.firstChild + parent.childCount++] = static_cast<Index>(i);
  }
  for (const SpaceNode& node : t.nodes_) {
    auto first = t.children_.begin() + node.firstChild;
    std::sort(first, first + node.childCount, [&](Index a, Index b) {
      const std::int64_t ba = t.nodes_[a].bytes, bb = t.nodes_[b].bytes;
      return ba != bb ? ba > bb : a < b;
    });
  }
  t.byPosition_.reserve(n);
  for (std::size_t i = 0; i < n; ++i)
    t.byPosition_.emplace_back(t.nodes_[i].position, static_cast<Index>(i));
  std::sort(t.byPosition_.begin(), t.byPosition_.end());
  return t;
}

std::optional<SpaceTree::Index> SpaceTree::find(std::int64_t position) const {
  auto it = std::lower_bound(byPosition_.begin(), byPosition_.end(),
                             std::make_pair(position, Index{0}));
  if (it == byPosition_.end() || it->first != position) return std::nullopt;
  return it->second;
}

std::string SpaceTree::pathBelowTop(Index i) const {
  std::vector<Index> chain;
  for (Index at = i; at != 0; at = static_cast<Index>(nodes_[at].parent)) chain.push_back(at);
  std::string path;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (!path.empty()) path += '/';
    path += name(*it);
  }
  return path;
}

}  // namespace kolvex
