// Paths of chosen records from one read in file order: the same as a walk of the tree
// gives, for any choice of records, and a catalog whose links contradict themselves is
// reported.
#include <gtest/gtest.h>

#include <map>

#include "core/content/CatalogFileWalk.h"
#include "core/content/RecordPaths.h"
#include "core/persist/PersistError.h"
#include "support/CatalogCraft.h"
#include "support/TempDir.h"

namespace kolvex::test {
namespace {

std::map<std::int64_t, std::string> byWalk(const std::string& catalog) {
  CatalogReader reader(catalog);
  std::map<std::int64_t, std::string> paths;
  forEachCatalogEntry(reader, true, [&](std::int64_t pos, const TSCFileObjectInfo&, const std::string& path) {
    paths[pos] = path;
  });
  return paths;
}

std::map<std::int64_t, std::string> byFileOrder(const std::string& catalog,
                                                const std::vector<std::int64_t>& wanted) {
  CatalogReader reader(catalog);
  std::map<std::int64_t, std::string> paths;
  forEachRecordPath(reader, wanted, [&](std::size_t w, std::string_view path, double, std::int32_t) {
    paths[wanted[w]] = std::string(path);
  });
  return paths;
}

TEST(RecordPaths, AreThePathsOfTheTreeForEveryChoiceOfRecords) {
  TempDir tmp;
  const std::string catalog = tmp.file("c.qel");
  writeCatalog(catalog,
               dir("", {file("a"),
                        dir("Docs", {file("x\\y.txt"), dir("Old", {file("deep"), dir("empty")}),
                                     file("b c")}),
                        dir("d\xe9"), file("z")}));
  const auto walked = byWalk(catalog);
  ASSERT_EQ(walked.size(), 9u);
  std::vector<std::int64_t> all;
  for (const auto& [pos, path] : walked) all.push_back(pos);
  EXPECT_EQ(byFileOrder(catalog, all), walked);
  // Every other record, and records that are not there at all, which are passed over.
  std::vector<std::int64_t> some;
  std::map<std::int64_t, std::string> expected;
  for (std::size_t i = 0; i < all.size(); i += 2) {
    some.push_back(all[i]);
    expected[all[i]] = walked.at(all[i]);
    some.push_back(all[i] + 1);
  }
  EXPECT_EQ(byFileOrder(catalog, some), expected);
  EXPECT_EQ(byFileOrder(catalog, {}), (std::map<std::int64_t, std::string>{}));
}

TEST(RecordPaths, LinksThatContradictTheTreeAreReported) {
  TempDir tmp;
  auto refused = [&](const std::string& bytes) {
    writeFile(tmp.file("bad.qel"), bytes);
    try {
      CatalogReader reader(tmp.file("bad.qel"));
      forEachRecordPath(reader, {0}, [](std::size_t, std::string_view, double, std::int32_t) {});
    } catch (const EStreamError&) {
      return true;
    }
    return false;
  };
  Crafted aFile{plainRecord("f", false)}, aFolder{plainRecord("d", true)}, root{plainRecord("", true)};
  // A file in the chain of folders, and a folder in the chain of files.
  root.childDir = 0;
  EXPECT_TRUE(refused(craftCatalog({aFile, root}, 1)));
  root.childDir = -1;
  root.childFile = 0;
  EXPECT_TRUE(refused(craftCatalog({aFolder, root}, 1)));
  // One file in the chains of two folders.
  Crafted shared{plainRecord("f", false)}, sub{plainRecord("d", true)}, top{plainRecord("", true)};
  sub.childFile = 0;
  top.childDir = 1;
  top.childFile = 0;
  EXPECT_TRUE(refused(craftCatalog({shared, sub, top}, 2)));
  // The same catalog with its links where they belong is read.
  top.childFile = -1;
  EXPECT_FALSE(refused(craftCatalog({shared, sub, top}, 2)));
}

}  // namespace
}  // namespace kolvex::test
