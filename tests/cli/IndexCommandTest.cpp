// kolvex-cli index and search --no-index: a scan leaves a fresh index behind, index
// reports and repairs, the search prints the same with and without indexes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "CliRun.h"
#include "core/index/IndexLocation.h"
#include "support/TempDir.h"

namespace kolvex::cli {
namespace {

using test::runCli;

struct Folder {
  test::TempDir dir;
  std::string root = dir.path() + "tree/";
  std::string archives = dir.path() + "archives/";
  std::string catalog;
  Folder() {
    ::mkdir(root.c_str(), 0755);
    ::mkdir(archives.c_str(), 0755);
    ::mkdir((root + "docs").c_str(), 0755);
    test::writeFile(root + "notes.txt", "n");
    test::writeFile(root + "docs/Report.TXT", "rr");
    test::writeFile(root + "docs/caf\xE9;[1].txt", "x");
    const auto r = runCli({"scan", root, "--archives", archives});
    EXPECT_EQ(r.status, 0) << r.err;
    catalog = r.out.substr(0, r.out.find('\n'));
  }
};

TEST(IndexCommand, AScanLeavesAFreshIndexAndIndexRepairsDamage) {
  Folder f;
  const std::string indexPath = index::indexPathsOf(f.catalog)[0];
  ASSERT_TRUE(test::fileExists(indexPath));
  auto r = runCli({"index", "--archives", f.archives});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "fresh\t" + f.catalog + "\n");

  const std::string good = test::readFile(indexPath);
  test::writeFile(indexPath, good.substr(0, good.size() - 1));
  r = runCli({"index", "--archives", f.archives});
  EXPECT_EQ(r.out, "built\t" + f.catalog + "\n");
  EXPECT_EQ(test::readFile(indexPath), good);

  r = runCli({"index", "--archives", f.archives, "--rebuild"});
  EXPECT_EQ(r.out, "built\t" + f.catalog + "\n");
  // The archive folder still lists the catalog alone.
  r = runCli({"list", "--archives", f.archives});
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
}

TEST(IndexCommand, ADamagedCatalogGetsNoIndexAndIsReported) {
  Folder f;
  test::writeFile(f.archives + "broken.qel", "TPF0 not a catalog");
  const auto r = runCli({"index", "--archives", f.archives});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("failed\t" + f.archives + "broken.qel\n"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("broken.qel: "), std::string::npos);
  EXPECT_FALSE(test::fileExists(index::indexPathsOf(f.archives + "broken.qel")[0]));
}

TEST(SearchCommandIndex, PrintsTheSameWithAndWithoutIndexes) {
  Folder f;
  for (const char* mask : {"*.txt", "*report*", "*", "caf?;*[1]*", "[", "*;[x"}) {
    const auto plain = runCli({"search", mask, "--archives", f.archives, "--no-index"});
    const auto indexed = runCli({"search", mask, "--archives", f.archives});
    EXPECT_EQ(indexed.out, plain.out) << mask;
    EXPECT_EQ(indexed.err, plain.err) << mask;
    EXPECT_EQ(indexed.status, plain.status) << mask;
  }
}

}  // namespace
}  // namespace kolvex::cli
