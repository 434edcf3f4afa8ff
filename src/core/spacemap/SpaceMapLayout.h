#pragma once
// The cells of a space map: one folder of a SpaceTree drawn into a rectangle, its
// children as squarified rectangles sized by their bytes, folders nested inside with a
// caption strip, down to a depth and a size at which nothing more can be seen. Children
// too small to show are drawn as one aggregate cell per folder, so a folder with a
// million entries below it still gives a few thousand cells at most.
#include <cstdint>
#include <vector>

#include "core/spacemap/SpaceTree.h"
#include "core/spacemap/SquarifiedLayout.h"

namespace kolvex {

struct SpaceMapOptions {
  double minArea = 36.0;     // a child smaller than this (in pixels) is aggregated
  double captionHeight = 16; // the strip above a folder's content for its name
  double padding = 2;        // between a folder's border and its content
  double minInner = 12;      // a folder's content is laid out only when this large
  int maxDepth = 8;          // nesting below the folder shown
  std::size_t maxChildren = 4000;  // shown children per folder at most, the rest aggregated
};

struct SpaceCell {
  MapRect rect;
  std::int64_t bytes = 0;
  SpaceTree::Index node = 0;  // the entry; for an aggregate, the folder whose rest it is
  std::uint32_t aggregated = 0;  // entries in an aggregate cell; 0 for an entry's cell
  int depth = 0;                 // 0 for the children of the folder shown
  bool opened = false;           // a folder whose content is drawn inside it

  bool isAggregate() const { return aggregated > 0; }
};

// The cells of folder's content in area, parents before the cells inside them.
std::vector<SpaceCell> LayoutSpaceMap(const SpaceTree& tree, SpaceTree::Index folder,
                                      MapRect area, const SpaceMapOptions& options = {});

// The innermost cell at a point (the last containing it, since children follow their
// parents); -1 for none.
int CellAt(const std::vector<SpaceCell>& cells, double x, double y);

}  // namespace kolvex
