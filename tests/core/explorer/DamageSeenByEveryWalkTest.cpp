// Damage the file itself shows is reported by the readers, never shown as a shorter
// truth: a header whose totals were swallowed or flipped, records of the wrong kind for
// their chain, chains shorter or longer than their folder's counters, records the header
// does not count, and links into the middle of a record.
#include <gtest/gtest.h>

#include "core/explorer/CatalogAgreement.h"
#include "core/persist/ComponentWriter.h"
#include "support/CatalogCraft.h"
#include "support/TempDir.h"

namespace kolvex::test {
namespace {

std::string catalogOf(const Entry& root, TSCCDInfo header = {}) {
  TempDir tmp;
  writeCatalog(tmp.file("c.qel"), root, std::move(header));
  return readFile(tmp.file("c.qel"));
}

Entry twentyEntries() {
  std::vector<Entry> entries;
  for (int i = 0; i < 10; ++i) entries.push_back(file("f" + std::to_string(i) + ".txt"));
  for (int i = 0; i < 10; ++i) entries.push_back(dir("d" + std::to_string(i)));
  return dir("", entries);
}

// The error of each walk, "" for one that accepted the catalog.
struct Verdicts {
  std::string ls, explorer, search;
};
Verdicts verdicts(const std::string& bytes) {
  auto of = [](const Walk& w) { return w.error ? *w.error : std::string(); };
  return {of(walkAsLs(bytes)), of(walkAsExplorer(bytes)), of(walkAsSearch(bytes))};
}

void everyWalkRefuses(const std::string& bytes, const std::string& part = "damaged") {
  const Verdicts v = verdicts(bytes);
  EXPECT_NE(v.ls.find(part), std::string::npos) << "ls: " << v.ls;
  EXPECT_NE(v.explorer.find(part), std::string::npos) << "explorer: " << v.explorer;
  EXPECT_NE(v.search.find(part), std::string::npos) << "search: " << v.search;
}

TEST(Damage, ATextLengthThatSwallowsTheTotalsIsSeen) {
  TSCCDInfo h;
  h.SystemVersion = kSystemVersion;
  std::string bytes = catalogOf(twentyEntries(), h);
  // 12 becomes 44: the version's text takes in TotalFiles and TotalDirectories.
  const std::size_t at = bytes.find(std::string("\x0c") + kSystemVersion);
  ASSERT_NE(at, std::string::npos);
  bytes[at] = 44;
  everyWalkRefuses(bytes);
}

TEST(Damage, EveryFlippedBitOfTheTotalsIsSeen) {
  const std::string good = catalogOf(twentyEntries());
  ASSERT_EQ(disagreement(good), "");
  for (const char* name : {"TotalFiles", "TotalDirectories"}) {
    // The value's code and its one byte (20 and 10 fit in Int8).
    const std::size_t value = good.find(name) + std::string(name).size();
    for (std::size_t i = value; i < value + 2; ++i)
      for (int bit = 0; bit < 8; ++bit) {
        std::string bad = good;
        bad[i] = static_cast<char>(bad[i] ^ (1 << bit));
        SCOPED_TRACE(std::string(name) + " byte " + std::to_string(i - value) + " bit " + std::to_string(bit));
        const Verdicts v = verdicts(bad);
        EXPECT_NE(v.ls, "");
        EXPECT_NE(v.explorer, "");
        EXPECT_NE(v.search, "");
      }
  }
}

TEST(Damage, ARecordOfTheWrongKindForItsChainIsSeen) {
  // A file reached through the root's ChildDirRP, then a folder in the file chain.
  Crafted aFile{plainRecord("f", false)}, aFolder{plainRecord("d", true)};
  Crafted root{plainRecord("", true)};
  root.childDir = 0;
  std::string bytes = craftCatalog({aFile, root}, 1);
  everyWalkRefuses(bytes);
  EXPECT_NE(walkAsLs(bytes).error->find("the record at 0 is a file, but the record at"), std::string::npos);
  root.childDir = -1;
  root.childFile = 0;
  bytes = craftCatalog({aFolder, root}, 1);
  everyWalkRefuses(bytes);
  EXPECT_NE(walkAsLs(bytes).error->find("the record at 0 is a folder, but the record at"), std::string::npos);
}

TEST(Damage, AChainShorterThanItsCounterIsSeen) {
  // The root counts three files, its chain holds two; the header agrees with the root.
  Crafted a{plainRecord("a", false)}, b{plainRecord("b", false)}, root{plainRecord("", true)};
  b.brother = 0;
  root.childFile = 1;
  root.record.FilesOnlyUM = root.record.FilesUnderMe = 3;
  TSCCDInfo h;
  h.TotalFiles = 3;
  const std::string bytes = craftCatalog({a, b, root}, 2, h, Counters::AsGiven);
  const Verdicts v = verdicts(bytes);
  EXPECT_NE(v.ls.find("holds 2 file(s), but its counter says 3"), std::string::npos) << v.ls;
  EXPECT_NE(v.explorer, "");
  EXPECT_NE(v.search, "");
}

TEST(Damage, RecordsTheHeaderDoesNotCountAreSeen) {
  // One file the tree does not link: ls of the scanned folder cannot tell, the explorer
  // and the search read every record and can.
  Crafted stray{plainRecord("stray", false)}, a{plainRecord("a", false)}, root{plainRecord("", true)};
  root.childFile = 1;
  const std::string bytes = craftCatalog({stray, a, root}, 2);
  const Verdicts v = verdicts(bytes);
  EXPECT_EQ(v.ls, "");
  EXPECT_NE(v.explorer.find("counts 2 records, but more"), std::string::npos) << v.explorer;
  EXPECT_NE(v.search.find("counts 2 records, but more"), std::string::npos) << v.search;
  // A record after the scanned folder's own.
  const std::string good = catalogOf(twentyEntries());
  everyWalkRefuses(good + encodeObject(plainRecord("late", false)), "is not the last record");
}

TEST(Damage, ALinkIntoTheMiddleOfARecordIsSeenByTheExplorer) {
  // The root's file chain starts inside the holder's icon, at a whole file record hidden
  // there. The search reads the holder; following the link reads "hidden".
  TSCFileObjectInfo hidden = plainRecord("hidden", false);
  hidden.BrotherRP = kNoRecord;
  Crafted holder{plainRecord("holder", false)}, root{plainRecord("", true)};
  const std::string inner = encodeObject(hidden);
  holder.record.EXEIconSmall->setBytes(std::string("\0\0\1\0", 4) + inner);
  const std::string plain = craftCatalog({holder, root}, 1);
  const std::size_t base = plain.find("TPF0", 4);
  const std::size_t innerAt = plain.find(inner) - base;
  root.childFile = raw(static_cast<std::int64_t>(innerAt));
  root.record.FilesOnlyUM = root.record.FilesUnderMe = 1;
  TSCCDInfo h;
  h.TotalFiles = 1;
  const std::string bytes = craftCatalog({holder, root}, 1, h, Counters::AsGiven);
  ASSERT_EQ(bytes.find(inner) - base, innerAt);
  const Verdicts v = verdicts(bytes);
  EXPECT_EQ(v.ls, "");      // one folder's chain cannot tell where records start
  EXPECT_EQ(v.search, "");  // the file holds one file and the root, as counted
  EXPECT_NE(v.explorer.find("links to position " + std::to_string(innerAt)), std::string::npos)
      << v.explorer;
  EXPECT_EQ(disagreement(bytes), "");
}

}  // namespace
}  // namespace kolvex::test
