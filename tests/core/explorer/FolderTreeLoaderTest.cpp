// The tree built in one pass in file order is the tree a walk along the links finds.
#include <gtest/gtest.h>

#include "core/explorer/FolderTreeLoader.h"
#include "core/explorer/MarkedStream.h"
#include "core/persist/PersistError.h"
#include "support/CatalogCraft.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

using test::dir;
using test::Entry;
using test::file;

TEST(MarkedStream, StepsBackToTheMarkAcrossBlocks) {
  std::string bytes(3 * MarkedStream::kBlock + 777, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 131) >> 3);
  MemoryStream source(bytes);
  MarkedStream in(source, 5);
  std::uint32_t seed = 1;
  std::size_t pieces = 0;
  while (in.remaining() > 0) {
    std::uint64_t start = in.position();
    in.mark();
    std::size_t n =
        std::min<std::uint64_t>(1 + (seed = seed * 1664525u + 1013904223u) % 5000, in.remaining());
    std::string first(n, '\0'), again(n, '\0');
    in.readInto(first.data(), n);
    in.seek(start);
    in.readInto(again.data(), n);
    ASSERT_EQ(first, bytes.substr(start, n)) << start;
    ASSERT_EQ(again, first) << start;
    ++pieces;
  }
  EXPECT_GT(pieces, 1000u);
  EXPECT_THROW(in.take(1), EStreamError);
  // A piece larger than a block, read in small steps as a long name would be.
  MarkedStream big(source, 100);
  big.mark();
  std::string once;
  while (once.size() < 2 * MarkedStream::kBlock + 10) once += static_cast<char>(big.takeByte());
  big.seek(100);
  std::string twice(once.size(), '\0');
  big.readInto(twice.data(), twice.size());
  EXPECT_EQ(twice, once);
  EXPECT_EQ(once, bytes.substr(100, once.size()));
}

Entry bigTree() {
  // Folders holding enough files that the record area spans several of the pass's blocks.
  std::vector<Entry> top;
  for (int t = 0; t < 60; ++t) {
    std::vector<Entry> inner;
    for (int s = 0; s < 12; ++s) {
      std::vector<Entry> files;
      for (int f = 0; f < (s * 7 + t) % 40; ++f)
        files.push_back(file("a file name " + std::to_string(f)));
      inner.push_back(dir("sub" + std::to_string(s), files));
    }
    inner.push_back(file("lone"));
    top.push_back(dir("top" + std::to_string(t), inner));
  }
  return dir("", top);
}

TEST(FolderTreeLoader, BuildsTheTreeTheLinksDescribe) {
  test::TempDir tmp;
  std::string path = tmp.file("c.qel");
  test::writeCatalog(path, bigTree());
  CatalogReader reader(path);
  ASSERT_GT(reader.areaSize(), 2 * MarkedStream::kBlock);

  struct Seen {
    std::int64_t pos;
    std::string name;
    int depth;
    bool operator==(const Seen&) const = default;
  };
  std::vector<Seen> walked;
  reader.walkTree(
      [&](std::int64_t pos, const TSCFileObjectInfo& r, int depth) {
        walked.push_back({pos, r.FileName, depth});
      },
      false);

  NoEventPump none;
  SlicedPump pump(none);
  FolderTree tree = FolderTreeLoader(reader, pump).load();
  std::vector<Seen> built;
  // Depth first, children in order: the order of the walk.
  std::vector<std::pair<const TreeNode*, int>> stack{{tree.root(), 0}};
  while (!stack.empty()) {
    auto [node, depth] = stack.back();
    stack.pop_back();
    built.push_back({node->position, node->record.FileName, depth});
    EXPECT_EQ(node->record.isDirectory(), true);
    for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
      stack.push_back({*it, depth + 1});
  }
  EXPECT_EQ(built, walked);
  EXPECT_EQ(tree.size(), 1u + 60u * 13u);
}

}  // namespace
}  // namespace kolvex
