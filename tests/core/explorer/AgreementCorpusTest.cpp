// ls, the explorer and the search read a catalog three ways; on every catalog all three
// accept they must meet the same records. Replays the agreement fuzzer's corpus and the
// readers' corpus, and checks that the walks are not vacuous on good catalogs.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/explorer/CatalogAgreement.h"
#include "support/CatalogCraft.h"
#include "support/TempDir.h"

namespace kolvex::test {
namespace {

std::string catalogOf(const Entry& root) {
  TempDir tmp;
  writeCatalog(tmp.file("c.qel"), root);
  return readFile(tmp.file("c.qel"));
}

TEST(Agreement, GoodCatalogsAreWalkedWholeTheSameWayThreeTimes) {
  const std::string bytes =
      catalogOf(dir("", {file("a.txt", 5), dir("d", {file("b", 7), dir("e", {file("c")})}), dir("empty"),
                         file("\xC3\xA9t\xC3\xA9")}));
  for (const Walk& w : {walkAsLs(bytes), walkAsExplorer(bytes), walkAsSearch(bytes)}) {
    ASSERT_FALSE(w.error) << *w.error;
    EXPECT_EQ(w.records.size(), 8u);  // 4 files, 3 folders and the scanned folder
  }
  EXPECT_EQ(disagreement(bytes), "");
}

TEST(Agreement, EveryKeptInputAgreesOrIsRefused) {
  const char* data = std::getenv("KOLVEX_TEST_DATA");
  ASSERT_NE(data, nullptr);
  int accepted = 0, inputs = 0;
  for (const char* corpus : {"/fuzz/agreement/", "/fuzz/catalog/"}) {
    const std::string dir = std::string(data) + corpus;
    for (const std::string& name : listDir(dir)) {
      const std::string bytes = readFile(dir + name);
      SCOPED_TRACE(dir + name);
      EXPECT_EQ(disagreement(bytes), "");
      ++inputs;
      accepted += !walkAsSearch(bytes).error && !walkAsExplorer(bytes).error && !walkAsLs(bytes).error;
    }
  }
  EXPECT_GT(inputs, 100);
  EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace kolvex::test
