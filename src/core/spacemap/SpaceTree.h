#pragma once
// What a space map draws: every file and folder below one folder of a catalog with the
// bytes it takes (a folder: everything below it) and its kind of file, in compact form
// (about 40 bytes an entry plus its name), children ordered largest first. Built from the
// catalog alone in one walk; the map then zooms in and out without reading again.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/persist/CatalogReader.h"
#include "core/report/CatalogWalk.h"
#include "core/report/FileKind.h"

namespace kolvex {

struct SpaceNode {
  std::int64_t bytes = 0;
  std::int64_t position = kNoRecord;  // the entry's record
  std::int32_t parent = -1;
  std::uint32_t firstChild = 0;  // into SpaceTree's child list
  std::uint32_t childCount = 0;
  std::uint32_t nameOffset = 0;
  std::uint32_t nameLength = 0;
  FileKind kind = FileKind::Other;
  bool isFolder = false;
};

class SpaceTree {
 public:
  using Index = std::uint32_t;

  // Reads the folder at start and everything below it; nothing when proceed stopped.
  // Throws EStreamError for a damaged catalog.
  static std::optional<SpaceTree> Build(CatalogReader& reader, std::int64_t start,
                                        FileKinds& kinds, const WalkProceed& proceed = {});

  bool empty() const { return nodes_.empty(); }
  std::size_t size() const { return nodes_.size(); }
  const SpaceNode& node(Index i) const { return nodes_[i]; }
  // The children of a folder, largest first.
  std::span<const Index> children(Index i) const {
    return {children_.data() + nodes_[i].firstChild, nodes_[i].childCount};
  }
  std::string_view name(Index i) const {
    return std::string_view(names_).substr(nodes_[i].nameOffset, nodes_[i].nameLength);
  }
  // The node whose record starts at position; nothing when it is not in the tree.
  std::optional<Index> find(std::int64_t position) const;
  // The path of a node below the tree's top folder ("docs/a.txt"; "" for the top).
  std::string pathBelowTop(Index i) const;

 private:
  std::vector<SpaceNode> nodes_;  // 0 is the top folder; parents before children
  std::vector<Index> children_;
  std::string names_;
  std::vector<std::pair<std::int64_t, Index>> byPosition_;  // sorted, for find()
};

}  // namespace kolvex
