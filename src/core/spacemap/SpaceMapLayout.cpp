#include "core/spacemap/SpaceMapLayout.h"

#include "core/report/Saturating.h"

namespace kolvex {
namespace {

struct Layouter {
  const SpaceTree& tree;
  const SpaceMapOptions& opt;
  std::vector<SpaceCell> cells;

  void folder(SpaceTree::Index f, MapRect area, int depth) {
    const SpaceNode& node = tree.node(f);
    if (node.bytes <= 0 || area.w <= 0 || area.h <= 0) return;
    const double scale = area.area() / static_cast<double>(node.bytes);
    const auto kids = tree.children(f);
    // Children are largest first: the first too small to see ends the shown ones.
    std::size_t shown = 0;
    std::int64_t restBytes = 0;
    std::uint32_t restCount = 0;
    for (SpaceTree::Index k : kids) {
      const std::int64_t b = tree.node(k).bytes;
      if (b <= 0) break;  // empty entries take no space; they are not drawn
      if (restCount == 0 && shown < opt.maxChildren && static_cast<double>(b) * scale >= opt.minArea) {
        ++shown;
      } else {
        restBytes = saturatingAdd(restBytes, b);
        ++restCount;
      }
    }
    std::vector<double> w;
    w.reserve(shown + 1);
    for (std::size_t i = 0; i < shown; ++i) w.push_back(static_cast<double>(tree.node(kids[i]).bytes));
    if (restCount > 0) w.push_back(static_cast<double>(restBytes));
    const std::vector<MapRect> rects = SquarifiedLayout(w, area);
    for (std::size_t i = 0; i < rects.size(); ++i) {
      SpaceCell cell;
      cell.rect = rects[i];
      cell.depth = depth;
      if (i < shown) {
        cell.node = kids[i];
        cell.bytes = tree.node(kids[i]).bytes;
      } else {
        cell.node = f;
        cell.bytes = restBytes;
        cell.aggregated = restCount;
      }
      const MapRect inner{cell.rect.x + opt.padding, cell.rect.y + opt.captionHeight,
                          cell.rect.w - 2 * opt.padding,
                          cell.rect.h - opt.captionHeight - opt.padding};
      const bool open = !cell.isAggregate() && tree.node(cell.node).isFolder &&
                        depth + 1 < opt.maxDepth && inner.w >= opt.minInner &&
                        inner.h >= opt.minInner;
      cell.opened = open;
      cells.push_back(cell);
      if (open) folder(cell.node, inner, depth + 1);
    }
  }
};

}  // namespace

std::vector<SpaceCell> LayoutSpaceMap(const SpaceTree& tree, SpaceTree::Index folder,
                                      MapRect area, const SpaceMapOptions& options) {
  Layouter l{tree, options, {}};
  if (!tree.empty()) l.folder(folder, area, 0);
  return std::move(l.cells);
}

int CellAt(const std::vector<SpaceCell>& cells, double x, double y) {
  for (std::size_t i = cells.size(); i-- > 0;)
    if (cells[i].rect.contains(x, y)) return static_cast<int>(i);
  return -1;
}

}  // namespace kolvex
