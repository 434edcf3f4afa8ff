// The parts the indexed search stands on: the literal runs a mask requires, where an
// index is kept, and its removal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/index/CatalogIndex.h"
#include "core/index/IndexLocation.h"
#include "core/index/IndexMaintenance.h"
#include "core/search/TMask.h"
#include "support/CatalogCraft.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

using Runs = std::vector<std::string>;

TEST(LiteralRuns, AreTheSingleBytePositionsBetweenStarsInUpperCase) {
  EXPECT_EQ(TMask("*.txt").literalRuns(), (Runs{".TXT"}));
  EXPECT_EQ(TMask("a?bc*de[f]g*").literalRuns(), (Runs{"A", "BC", "DEFG"}));
  EXPECT_EQ(TMask("[a-c]xyz[!q]").literalRuns(), (Runs{"XYZ"}));
  EXPECT_EQ(TMask("caf\xc3\xa9*\\;").literalRuns(), (Runs{"CAF\xc3\xa9", "\\;"}));
  EXPECT_TRUE(TMask("*?").literalRuns().empty());
  EXPECT_TRUE(TMask("").literalRuns().empty());
}

TEST(IndexLocation, FallsBackToTheCacheWhenTheCatalogFolderCannotHoldIt) {
  test::TempDir tmp;
  test::ScopedEnv env;
  env.set("XDG_CACHE_HOME", tmp.path() + "cache");
  const std::string catalog = tmp.file("one.qel");
  test::writeCatalog(catalog, test::dir("", {test::file("a.txt")}));
  // Something that is not a folder stands where the hidden folder would go.
  test::writeFile(tmp.file(".kolvex-index"), "");
  ASSERT_TRUE(index::BuildIndex(catalog));
  const std::vector<std::string> places = index::indexPathsOf(catalog);
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[1].rfind(tmp.path() + "cache/kolvex/", 0), 0u);
  EXPECT_TRUE(test::fileExists(places[1]));
  index::CatalogFile mapped;
  index::CatalogIndex idx;
  ASSERT_TRUE(mapped.open(catalog));
  EXPECT_TRUE(index::OpenIndex(catalog, mapped, idx));
  EXPECT_EQ(idx.records(), 2u);

  index::RemoveIndex(catalog);
  EXPECT_FALSE(test::fileExists(places[1]));
  EXPECT_FALSE(index::OpenIndex(catalog, mapped, idx));
}

TEST(IndexLocation, ACatalogNameAtTheFileSystemsLimitStillGetsAnIndex) {
  test::TempDir tmp;
  const std::string catalog = tmp.file(std::string(251, 'n') + ".qel");
  test::writeCatalog(catalog, test::dir("", {test::file("a.txt")}));
  ASSERT_TRUE(index::BuildIndex(catalog));
  index::CatalogFile file;
  index::CatalogIndex idx;
  ASSERT_TRUE(file.open(catalog));
  EXPECT_TRUE(index::OpenIndex(catalog, file, idx));
}

TEST(IndexLocation, AnIndexOfAnotherCatalogIsRefused) {
  test::TempDir tmp;
  const std::string a = tmp.file("a.qel"), b = tmp.file("b.qel");
  test::writeCatalog(a, test::dir("", {test::file("x")}));
  test::writeCatalog(b, test::dir("", {test::file("x")}));
  ASSERT_TRUE(index::BuildIndex(a));
  // b's index place holding a's index: same records, another file.
  test::writeFile(index::indexPathsOf(b)[0], test::readFile(index::indexPathsOf(a)[0]));
  index::CatalogFile mapped;
  index::CatalogIndex idx;
  ASSERT_TRUE(mapped.open(b));
  EXPECT_FALSE(index::OpenIndex(b, mapped, idx));
}

}  // namespace
}  // namespace kolvex
