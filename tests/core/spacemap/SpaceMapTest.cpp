// The squarified layout, the space tree built from a catalog, and the cells of a map.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "core/spacemap/SpaceMapLayout.h"
#include "support/OddCatalog.h"
#include "support/TempDir.h"

namespace kolvex::test {
namespace {

bool overlap(const MapRect& a, const MapRect& b) {
  const double eps = 1e-6;
  return a.x + eps < b.x + b.w && b.x + eps < a.x + a.w && a.y + eps < b.y + b.h &&
         b.y + eps < a.y + a.h;
}

bool inside(const MapRect& a, const MapRect& area) {
  const double eps = 1e-6;
  return a.x >= area.x - eps && a.y >= area.y - eps && a.x + a.w <= area.x + area.w + eps &&
         a.y + a.h <= area.y + area.h + eps;
}

void expectTiling(const std::vector<double>& weights, MapRect area) {
  const std::vector<MapRect> rects = SquarifiedLayout(weights, area);
  ASSERT_EQ(rects.size(), weights.size());
  const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
  double covered = 0;
  for (std::size_t i = 0; i < rects.size(); ++i) {
    EXPECT_TRUE(inside(rects[i], area)) << i;
    EXPECT_NEAR(rects[i].area(), weights[i] / total * area.area(), area.area() * 1e-9) << i;
    covered += rects[i].area();
    for (std::size_t j = i + 1; j < rects.size(); ++j)
      if (weights[i] > 0 && weights[j] > 0) {
        EXPECT_FALSE(overlap(rects[i], rects[j])) << i << " " << j;
      }
  }
  EXPECT_NEAR(covered, area.area(), area.area() * 1e-9);
}

TEST(SquarifiedLayout, TilesTheAreaWithProportionalRectangles) {
  expectTiling({6, 6, 4, 3, 2, 2, 1}, {0, 0, 600, 400});
  expectTiling({100, 1, 1, 1, 0.01}, {10, 20, 300, 900});
  expectTiling({5}, {0, 0, 7, 3});
  std::vector<double> many;
  for (int i = 1000; i > 0; --i) many.push_back(i * 0.5);
  expectTiling(many, {0, 0, 1600, 1000});
  // Zero weights get nothing and leave the rest intact.
  const auto rects = SquarifiedLayout(std::vector<double>{3, 0, 1, 0}, {0, 0, 40, 40});
  EXPECT_EQ(rects[1].area(), 0);
  EXPECT_EQ(rects[3].area(), 0);
  EXPECT_NEAR(rects[0].area() + rects[2].area(), 1600, 1e-9);
}

TEST(SquarifiedLayout, EqualWeightsComeOutNearlySquare) {
  const auto rects = SquarifiedLayout(std::vector<double>(16, 1.0), {0, 0, 400, 400});
  for (const MapRect& r : rects) {
    const double ratio = std::max(r.w / r.h, r.h / r.w);
    EXPECT_LT(ratio, 1.5);
  }
}

class SpaceTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree = oddTree(700, 21);
    path = tmp.file("map.qel");
    writeCatalog(path, tree, TSCCDInfo{});
  }
  TempDir tmp;
  Entry tree;
  std::string path;
  TableKinds table;
};

std::int64_t bytesOf(const Entry& e) {
  std::int64_t b = e.dir ? 0 : e.size;
  for (const Entry& c : e.entries) b += bytesOf(c);
  return b;
}

TEST_F(SpaceTreeTest, TotalsKindsAndOrderFollowTheCatalog) {
  CatalogReader reader(path);
  FileKinds kinds(table);
  std::optional<SpaceTree> t = SpaceTree::Build(reader, reader.header().EntranceRP, kinds);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->node(0).bytes, bytesOf(tree));
  std::size_t entries = 0;
  std::function<void(const Entry&)> countAll = [&](const Entry& e) {
    for (const Entry& c : e.entries) {
      ++entries;
      countAll(c);
    }
  };
  countAll(tree);
  EXPECT_EQ(t->size(), entries + 1);
  for (SpaceTree::Index i = 0; i < t->size(); ++i) {
    const SpaceNode& n = t->node(i);
    std::int64_t sum = 0, previous = INT64_MAX;
    for (SpaceTree::Index c : t->children(i)) {
      EXPECT_EQ(t->node(c).parent, static_cast<std::int32_t>(i));
      EXPECT_LE(t->node(c).bytes, previous);  // largest first
      previous = t->node(c).bytes;
      sum += t->node(c).bytes;
    }
    if (n.isFolder) {
      EXPECT_EQ(sum, n.bytes) << t->pathBelowTop(i);
    } else {
      EXPECT_EQ(n.kind, FileKinds(table).kindOf(t->name(i)));
    }
    EXPECT_EQ(t->find(n.position), i);
  }
  // A sub-folder's map holds exactly its own subtree.
  const Entry* sub = nullptr;
  for (const Entry& e : tree.entries)
    if (e.dir && !e.entries.empty()) sub = &e;
  ASSERT_NE(sub, nullptr);
  std::optional<SpaceTree::Index> at;
  for (SpaceTree::Index c : t->children(0))
    if (t->name(c) == sub->name) at = c;
  ASSERT_TRUE(at);
  std::optional<SpaceTree> part = SpaceTree::Build(reader, t->node(*at).position, kinds);
  ASSERT_TRUE(part);
  EXPECT_EQ(part->node(0).bytes, bytesOf(*sub));
  EXPECT_EQ(part->name(0), sub->name);
}

TEST_F(SpaceTreeTest, CellsCoverTheFolderAndNestInsideTheirParents) {
  CatalogReader reader(path);
  FileKinds kinds(table);
  std::optional<SpaceTree> t = SpaceTree::Build(reader, reader.header().EntranceRP, kinds);
  ASSERT_TRUE(t);
  const MapRect area{0, 0, 800, 500};
  const std::vector<SpaceCell> cells = LayoutSpaceMap(*t, 0, area);
  ASSERT_FALSE(cells.empty());
  double top = 0;
  std::int64_t topBytes = 0;
  for (const SpaceCell& c : cells) {
    EXPECT_TRUE(inside(c.rect, area));
    if (c.depth == 0) {
      top += c.rect.area();
      topBytes += c.bytes;
    }
  }
  EXPECT_NEAR(top, area.area(), 1e-6);
  EXPECT_EQ(topBytes, t->node(0).bytes);
  // Every nested cell lies inside the opened folder cell that precedes it.
  std::vector<const SpaceCell*> open;
  for (const SpaceCell& c : cells) {
    while (static_cast<int>(open.size()) > c.depth) open.pop_back();
    if (c.depth > 0) {
      ASSERT_EQ(static_cast<int>(open.size()), c.depth);
      EXPECT_TRUE(inside(c.rect, open.back()->rect));
    }
    if (c.opened) open.push_back(&c);
  }
  // The deepest cell at a point is the one hovering finds.
  const int hit = CellAt(cells, 5, 30);
  ASSERT_GE(hit, 0);
  EXPECT_TRUE(cells[static_cast<std::size_t>(hit)].rect.contains(5, 30));
  for (std::size_t i = static_cast<std::size_t>(hit) + 1; i < cells.size(); ++i)
    EXPECT_FALSE(cells[i].rect.contains(5, 30)) << i;
  EXPECT_EQ(CellAt(cells, -1, 5), -1);
}

TEST(SpaceMapLayout, TinyItemsAreAggregatedSoCellsStayFew) {
  TempDir tmp;
  // One folder with 20,000 files: a few large, the rest small.
  Entry root = dir("");
  Entry big = dir("big");
  for (int i = 0; i < 20000; ++i) big.entries.push_back(file("f" + std::to_string(i), i < 5 ? 1000000 : 10 + i % 7));
  root.entries.push_back(std::move(big));
  const std::string path = tmp.file("many.qel");
  writeCatalog(path, root, TSCCDInfo{});
  CatalogReader reader(path);
  TableKinds table;
  FileKinds kinds(table);
  std::optional<SpaceTree> t = SpaceTree::Build(reader, reader.header().EntranceRP, kinds);
  ASSERT_TRUE(t);
  const std::vector<SpaceCell> cells = LayoutSpaceMap(*t, 0, {0, 0, 400, 300});
  EXPECT_LT(cells.size(), 400u);
  const auto aggregate = std::find_if(cells.begin(), cells.end(), [](auto& c) { return c.isAggregate(); });
  ASSERT_NE(aggregate, cells.end());
  std::int64_t inFolder = 0;
  std::uint32_t entries = 0;
  for (const SpaceCell& c : cells)
    if (c.depth == 1) {
      inFolder += c.bytes;
      entries += c.isAggregate() ? c.aggregated : 1;
    }
  EXPECT_EQ(entries, 20000u);
  EXPECT_EQ(inFolder, t->node(0).bytes);
}

TEST(SpaceMapLayout, EmptyFolderAndEmptyAreaGiveNoCells) {
  TempDir tmp;
  const std::string path = tmp.file("empty.qel");
  writeCatalog(path, dir("", {file("zero", 0)}), TSCCDInfo{});
  CatalogReader reader(path);
  TableKinds table;
  FileKinds kinds(table);
  std::optional<SpaceTree> t = SpaceTree::Build(reader, reader.header().EntranceRP, kinds);
  ASSERT_TRUE(t);
  EXPECT_TRUE(LayoutSpaceMap(*t, 0, {0, 0, 100, 100}).empty());
}

}  // namespace
}  // namespace kolvex::test
