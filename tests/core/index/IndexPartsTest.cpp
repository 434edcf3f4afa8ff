// The parts the indexed search stands on: the literal runs a mask requires, where an
// index is kept, and its removal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/index/CatalogIndex.h"
#include "core/index/IndexLocation.h"
#include "core/index/IndexMaintenance.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"
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

// A search through an index takes the catalog's header from the bytes its identity was
// checked on, not from a second read of the file.
TEST(IndexedCatalogFile, GivesTheHeaderItsIdentityWasTakenFrom) {
  test::TempDir tmp;
  const std::string catalog = tmp.file("one.qel");
  TSCCDInfo written;
  written.CDLabel = "Holiday \xc3\xa9t\xc3\xa9 2024";
  written.BaseDir = "/media/holiday/";
  written.Removable = true;
  written.CreateDateTime = 45000.25;
  test::writeCatalog(catalog, test::dir("", {test::file("a.txt")}), written);
  ASSERT_TRUE(index::BuildIndex(catalog));
  index::CatalogFile file;
  ASSERT_TRUE(file.open(catalog));
  EXPECT_THROW(file.header(), EStreamError);  // nothing read yet
  index::CatalogIndex idx;
  ASSERT_TRUE(index::OpenIndex(catalog, file, idx));
  const TSCCDInfo fromIdentity = file.header();
  CatalogReader reader(catalog);
  const TSCCDInfo& fromReader = reader.header();
  EXPECT_EQ(fromIdentity.CDLabel, fromReader.CDLabel);
  EXPECT_EQ(fromIdentity.BaseDir, fromReader.BaseDir);
  EXPECT_EQ(fromIdentity.Removable, fromReader.Removable);
  EXPECT_EQ(fromIdentity.CreateDateTime, fromReader.CreateDateTime);
  EXPECT_EQ(fromIdentity.TotalFiles, fromReader.TotalFiles);
  EXPECT_EQ(fromIdentity.CDLabel, written.CDLabel);
}

}  // namespace
}  // namespace kolvex
