// The search through indexes against the search that reads every catalog: generated
// catalogs with odd names, random mask lists and criteria, stale and damaged index files.
// Both must give the same hits in the same order with every field, and the same messages.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/catalog/ArchiveHeader.h"
#include "core/index/IndexFormat.h"
#include "core/index/IndexLocation.h"
#include "core/index/IndexMaintenance.h"
#include "core/persist/CatalogWriter.h"
#include "core/persist/CatalogReader.h"
#include "core/search/SearchEngine.h"
#include "core/search/TMaskList.h"
#include "support/FaultyFileOps.h"
#include "support/ForwardingFileOps.h"
#include "support/ScriptedSeams.h"
#include "support/SearchTranscript.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

using Transcript = test::SearchTranscript;

// Counts the catalogs opened through the engine's file calls: a search answered from
// indexes opens none (catalog hits aside).
class CountingOps final : public test::ForwardingFileOps {
 public:
  int openRead(const std::string& p) override {
    ++opened;
    return ForwardingFileOps::openRead(p);
  }
  int opened = 0;
};

// Names made of bytes that masks treat specially, letters of both cases, UTF-8 and bytes
// that are not UTF-8, so that masks drawn from the same bytes find some of them.
const std::vector<std::string> kBits = {"a", "B", "c", "x", "Y", ".", "txt", "TXT", ";", "[", "]",
                                        "\\", " ", "0", "7", "-", "_", "\xc3\xa9", "\xff", "ab",
                                        "report", "Report", "!"};

class Generator {
 public:
  explicit Generator(unsigned seed, int width = 40) : width_(width), rng_(seed) {}
  int below(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
  bool chance(int percent) { return below(100) < percent; }

  std::string name() {
    if (chance(3)) return {};
    std::string n;
    for (int k = 1 + below(5); k > 0; --k) n += kBits[below(static_cast<int>(kBits.size()))];
    return n;
  }
  std::int64_t size() {
    static const std::int64_t sizes[] = {0, 1, 1023, 1024, 102400, 5368709120LL, INT64_MAX, -1};
    return chance(50) ? sizes[below(8)] : below(200000);
  }
  double time() {
    // The first and the last day a day count names, and ordinary days with times.
    static const double times[] = {-693593.0, 2958465.99998843, 0.0, 37764.9533564815, 45000.5};
    return chance(50) ? times[below(5)] : 30000 + below(20000) + below(86400) / 86400.0;
  }
  std::int32_t fileAttributes() {
    static const std::int32_t attrs[] = {faArchive, faArchive | faHidden, faReadOnly, faSysFile,
                                         faArchive | faReadOnly | faHidden, 0};
    return attrs[below(6)];
  }

  // A mask list drawn from the names' bytes, with wild cards, sets, empty pieces and,
  // now and then, an invalid mask.
  std::string maskList() {
    std::string list = chance(10) ? ";" : "";
    for (int p = 1 + below(3); p > 0; --p) {
      for (int k = below(5); k >= 0; --k) {
        const int r = below(100);
        if (r < 20) list += "*";
        else if (r < 28) list += "?";
        else if (r < 33) list += "[a-c]";
        else if (r < 36) list += "[!t]";
        else if (r < 37) list += "[";  // invalid: never closed
        else if (r < 40) list += "*?";
        else list += kBits[below(static_cast<int>(kBits.size()))];
      }
      if (p > 1) list += chance(15) ? ";;" : ";";
    }
    return list;
  }

  TUSearch criteria() {
    TUSearch c;
    c.SearchFor = static_cast<std::uint8_t>(chance(70) ? (kSearchDirectories | kSearchFiles) : 1 + below(7));
    c.Attributes = static_cast<std::uint8_t>(chance(60) ? kAttrAnyFile : below(32));
    c.DateEnabled = chance(25);
    c.DateFrom = time();
    c.DateTo = chance(50) ? time() : 2958465.99998843;
    c.SizeEnabled = chance(25);
    c.MinSize = chance(50) ? 0 : size();
    c.MaxSize = chance(50) ? INT64_MAX : size();
    return c;
  }

  // A tree of folders and files; returns the counts of files and folders below.
  void writeFolder(CatalogWriter& w, const std::string& path, const std::string& name, int depth,
                   std::int32_t& files, std::int32_t& dirs) {
    w.enterDirectory();
    const std::string inner = name.empty() && depth > 0 ? path : path + name + (depth ? "\\" : "");
    std::int32_t ownFiles = 0, ownDirs = 0, filesBelow = 0, dirsBelow = 0;
    for (int k = below(depth == 0 ? width_ : width_ / 2 + 1); k > 0; --k) {
      if (depth < 3 && chance(15)) {
        std::int32_t f = 0, d = 0;
        writeFolder(w, inner, name.empty() && depth == 0 ? "d" + this->name() : this->name(),
                    depth + 1, f, d);
        filesBelow += f;
        dirsBelow += d + 1;
        ++ownDirs;
      } else {
        TSCFileObjectInfo r;
        r.FileName = this->name();
        r.FilePath = inner;
        r.Attribute = fileAttributes();
        r.FileSize = size();
        r.CreateDateTime = time();
        w.addFile(r);
        ++ownFiles;
        ++filesBelow;
      }
    }
    TSCFileObjectInfo r;
    r.FileName = depth == 0 ? std::string() : name;
    r.FilePath = path;
    r.Attribute = faDirectory | (chance(20) ? faHidden : 0);
    r.CreateDateTime = time();
    r.FilesUnderMe = filesBelow;
    r.DirsUnderMe = dirsBelow;
    r.FilesOnlyUM = ownFiles;
    r.DirsOnlyUM = ownDirs;
    w.leaveDirectory(r);
    files = filesBelow;
    dirs = dirsBelow;
  }

  void writeCatalog(const std::string& catalogPath, const std::string& label) {
    CatalogWriter w(catalogPath);
    std::int32_t files = 0, dirs = 0;
    writeFolder(w, "X:\\", "", 0, files, dirs);
    TSCCDInfo h;
    h.CDLabel = label;
    h.BaseDir = "/media/" + label + "/";
    h.CreateDateTime = time();
    h.Removable = chance(50);
    h.TotalFiles = files;
    h.TotalDirectories = dirs;
    h.SystemVersion = kSystemVersion;
    w.commit(h);
  }

 private:
  int width_;
  std::mt19937 rng_;
};

// Whether a run with this mask list is answered from indexes: every mask compiles and
// holds three literal bytes in a row.
bool selective(const std::string& mask) {
  try {
    TMaskList list(mask);
    for (const TMask* m : list.compileAll()) {
      bool has = false;
      for (const std::string& r : m->literalRuns()) has = has || r.size() >= 3;
      if (!has) return false;
    }
    return true;
  } catch (const EMaskException&) {
    return false;
  }
}

// A catalog of count files right in its scanned folder, record k as fill sets it.
template <class Fill>
void writeFlatCatalog(const std::string& path, const std::string& label, std::int32_t count,
                      Fill fill) {
  CatalogWriter w(path);
  w.enterDirectory();
  TSCFileObjectInfo r;
  for (std::int32_t k = 0; k < count; ++k) {
    r.clear();
    fill(r, k);
    w.addFile(r);
  }
  r.clear();
  r.FilePath = "X:\\";
  r.Attribute = faDirectory;
  w.leaveDirectory(r);
  TSCCDInfo header;
  header.CDLabel = label;
  header.TotalFiles = count;
  w.commit(header);
}

class IndexedSearchTest : public ::testing::Test {
 protected:
  IndexedSearchTest() {
    test::writeFile(tmp.file("Test.ini"),
                    "[ResourceStrings]\nA045=Searching %s (%d of %d)\nA046=%d hit(s)\nA048=Catalog\n");
  }

  void addCatalogs(int count) {
    for (int c = 0; c < count; ++c) {
      const std::string label = c == 1 ? "re[port" : "disc" + std::to_string(c);
      const std::string path = tmp.file(label + ".qel");
      gen.writeCatalog(path, label);
      catalogs.push_back({label, path, true});
    }
  }

  Transcript run(bool indexed, const std::string& mask, const TUSearch& criteria) {
    Transcript t;
    test::ScriptedDialogs dialogs;
    NoEventPump pump;
    ops.opened = 0;
    SearchEngine engine(pump, dialogs, language, ops);
    engine.setListener(&t);
    engine.setIndexed(indexed);
    engine.setArchives(catalogs);
    engine.setMask(mask);
    engine.criteria() = criteria;
    engine.StartSearch();
    for (const auto& m : dialogs.messages) t.messages.push_back(m.text);
    return t;
  }

  // The indexed run must show exactly what the plain run shows.
  // ops counts the catalogs the indexed run opened afterwards.
  void expectSame(const std::string& mask, const TUSearch& criteria, const std::string& why,
                  Transcript* plainOut = nullptr) {
    const Transcript plain = run(false, mask, criteria);
    const Transcript indexed = run(true, mask, criteria);
    if (plainOut) *plainOut = plain;
    ASSERT_EQ(indexed.hits.size(), plain.hits.size()) << why << " mask " << mask;
    for (std::size_t i = 0; i < plain.hits.size(); ++i)
      ASSERT_TRUE(indexed.hits[i] == plain.hits[i]) << why << " mask " << mask << " hit " << i;
    ASSERT_EQ(indexed.statuses, plain.statuses) << why << " mask " << mask;
    ASSERT_EQ(indexed.maxima, plain.maxima) << why << " mask " << mask;
    ASSERT_EQ(indexed.messages, plain.messages) << why << " mask " << mask;
  }

  test::TempDir tmp;
  LanguageFile language{tmp.path(), "Test"};
  CountingOps ops;
  Generator gen{20240611};
  std::vector<CheckedArchive> catalogs;
};

TEST_F(IndexedSearchTest, RandomMaskListsAndCriteriaGiveTheSameHitsAndMessages) {
  addCatalogs(4);
  TUSearch everything;
  expectSame("*txt*", everything, "first run, which builds the indexes");
  int hits = 0, errors = 0, answeredFromIndexes = 0;
  for (int k = 0; k < 1500; ++k) {
    const std::string mask = gen.maskList();
    const TUSearch criteria = gen.criteria();
    Transcript plain;
    expectSame(mask, criteria, "random draw " + std::to_string(k), &plain);
    if (HasFatalFailure()) return;
    // Answered from the indexes: no catalog was opened, except for catalog hits and
    // the runs an invalid mask sends through the catalogs.
    if (selective(mask) && !(criteria.SearchFor & kSearchCatalogs)) {
      ASSERT_EQ(ops.opened, 0) << "mask " << mask;
      ++answeredFromIndexes;
    }
    hits += static_cast<int>(plain.hits.size());
    errors += !plain.messages.empty();
  }
  // The draw must reach both outcomes, or the comparison proves little.
  EXPECT_GT(hits, 3000);
  EXPECT_GT(errors, 10);
  EXPECT_GT(answeredFromIndexes, 200);
}

TEST_F(IndexedSearchTest, StaleIndexesAreNeverUsedAndAreMadeAgain) {
  addCatalogs(2);
  TUSearch c;
  expectSame("*a*", c, "building");
  // A catalog written anew over the old one (other records, same name).
  Generator other(7);
  other.writeCatalog(catalogs[0].path, catalogs[0].label);
  expectSame("*a*", c, "catalog replaced");
  // Only the header rewritten: the rewrite makes the index again at once.
  {
    CatalogReader reader(catalogs[1].path);
    TSCCDInfo h;
    CopyArchiveHeader(reader.header(), h);
    h.CDLabel = "relabelled";
    reader.close();
    RewriteArchiveHeader(catalogs[1].path, h);
  }
  std::string error;
  EXPECT_EQ(index::EnsureIndex(catalogs[1].path, false, error), index::IndexOutcome::Fresh);
  expectSame("*a*;*.txt", c, "header rewritten");
  // A catalog that is gone: the same message, whatever index is left behind.
  ASSERT_EQ(::unlink(catalogs[0].path.c_str()), 0);
  expectSame("*a*", c, "catalog missing");
}

// Every length of a small index cut short, and one bit flipped in every byte: the index
// is refused or, where the damage lies outside what the run reads, the hits still agree.
TEST_F(IndexedSearchTest, DamagedIndexesNeverChangeAResult) {
  catalogs.clear();
  const std::string path = tmp.file("small.qel");
  Generator small(3, 12);
  small.writeCatalog(path, "small");
  catalogs.push_back({"small", path, true});
  std::string error;
  ASSERT_EQ(index::EnsureIndex(path, true, error), index::IndexOutcome::Built) << error;
  const std::string indexPath = index::indexPathsOf(path)[0];
  const std::string good = test::readFile(indexPath);
  ASSERT_GT(good.size(), 400u);

  TUSearch c;
  const std::vector<std::string> masks = {"*txt*", "*.txt;*.doc", "*TXT*", "*rep*;*report*"};
  std::vector<Transcript> expected;
  for (const std::string& m : masks) expected.push_back(run(false, m, c));
  // Each damage is read by one of the masks in turn, so every kind of run meets every
  // part of the file.
  auto check = [&](const std::string& damaged, std::size_t at, const std::string& why) {
    const std::size_t m = at % masks.size();
    test::writeFile(indexPath, damaged);
    const Transcript t = run(true, masks[m], c);
    ASSERT_EQ(t.hits.size(), expected[m].hits.size()) << why;
    for (std::size_t i = 0; i < t.hits.size(); ++i) ASSERT_TRUE(t.hits[i] == expected[m].hits[i]) << why;
    ASSERT_EQ(t.messages, expected[m].messages) << why;
  };
  for (std::size_t length = 0; length < good.size(); ++length)
    check(good.substr(0, length), length, "cut at " + std::to_string(length));
  for (std::size_t at = 0; at < good.size(); ++at) {
    std::string flipped = good;
    flipped[at] = static_cast<char>(flipped[at] ^ (1 << (at % 8)));
    check(flipped, at / 8, "bit flipped at " + std::to_string(at));
  }
  // A damaged index read by a run is made again by it.
  test::writeFile(indexPath, good.substr(0, good.size() / 2));
  run(true, "*txt*", c);
  EXPECT_EQ(index::EnsureIndex(path, false, error), index::IndexOutcome::Fresh);
}

// An index of an older layout is refused, never read, and made again; a catalog whose
// records the layout cannot hold (here more attribute values than its palette has places)
// gets no index and is read as it is, with the same result.
TEST_F(IndexedSearchTest, OldLayoutsAndCatalogsTheLayoutCannotHoldAreReadFromTheCatalog) {
  addCatalogs(1);
  TUSearch c;
  expectSame("*txt*", c, "building");
  const std::string indexPath = index::indexPathsOf(catalogs[0].path)[0];
  std::string bytes = test::readFile(indexPath);
  index::IndexHeader h;
  std::memcpy(&h, bytes.data(), sizeof h);
  h.version = index::kVersion - 1;
  h.selfDigest = index::digestOf(&h, offsetof(index::IndexHeader, selfDigest));
  std::memcpy(bytes.data(), &h, sizeof h);
  test::writeFile(indexPath, bytes);
  expectSame("*txt*", c, "older layout");
  EXPECT_GT(ops.opened, 0);
  std::string error;
  EXPECT_EQ(index::EnsureIndex(catalogs[0].path, false, error), index::IndexOutcome::Fresh);

  const std::string odd = tmp.file("attributes.qel");
  writeFlatCatalog(odd, "attributes", 300, [](TSCFileObjectInfo& r, std::int32_t a) {
    r.FileName = "file" + std::to_string(a) + ".txt";
    r.FilePath = "X:\\";
    r.Attribute = (a << 8) | faArchive;
  });
  catalogs = {{"attributes", odd, true}};
  EXPECT_EQ(index::EnsureIndex(odd, true, error), index::IndexOutcome::Failed);
  Transcript plain;
  expectSame("*file1*", c, "too many attribute values", &plain);
  EXPECT_EQ(plain.hits.size(), 111u);
  EXPECT_GT(ops.opened, 0);
}

// The pairs sorted in runs of any size, spilled and merged, give the same file as one run
// in memory: runs that end inside a name, a trigram twice in one name, and lists longer
// than the pieces they are written in (every record of the large catalog has the name).
TEST_F(IndexedSearchTest, IndexesMadeInSortedRunsOfAnySizeAreTheSame) {
  addCatalogs(1);
  const std::string large = tmp.file("large.qel");
  writeFlatCatalog(large, "large", 70000, [](TSCFileObjectInfo& r, std::int32_t k) {
    r.FileName = k == 12345 ? "other.doc" : "txt.txt";
    r.FilePath = k < 40000 ? "X:\\" : "X:\\later\\";
    r.Attribute = faArchive;
    r.FileSize = k;
  });
  const std::vector<std::pair<std::string, std::vector<std::size_t>>> builds = {
      {catalogs[0].path, {1, 7, 999}}, {large, {4999}}};
  for (const auto& [path, runs] : builds) {
    ASSERT_TRUE(index::BuildIndex(path));
    const std::string indexPath = index::indexPathsOf(path)[0];
    const std::string whole = test::readFile(indexPath);
    for (std::size_t run : runs) {
      ASSERT_TRUE(index::BuildIndex(path, {}, posixFileOps(), run));
      ASSERT_EQ(test::readFile(indexPath), whole) << path << " in runs of " << run;
    }
    std::string error;
    EXPECT_EQ(index::EnsureIndex(path, false, error), index::IndexOutcome::Fresh) << path;
  }
  catalogs.push_back({"large", large, true});
  Transcript plain;
  expectSame("*txt.t*;*her.d*", TUSearch{}, "large lists", &plain);
  EXPECT_GT(plain.hits.size(), 69999u);
  EXPECT_EQ(ops.opened, 0);
}

// A trigram table of several chunks: lookups that land in each chunk find their lists
// without reading the catalog, and damage to the fences or to any chunk never changes a
// hit (a lookup that meets it reads the catalog instead).
TEST_F(IndexedSearchTest, EveryChunkOfTheTrigramTableIsFoundAndChecked) {
  const std::string path = tmp.file("chunks.qel");
  auto number = [](std::int32_t k) { return std::to_string(10000 + k * 7919 % 10000).substr(1); };
  writeFlatCatalog(path, "chunks", 600, [&](TSCFileObjectInfo& r, std::int32_t k) {
    r.FileName = "n" + number(k) + (k % 3 ? ".txt" : ".doc");
    r.FilePath = "X:\\";
    r.Attribute = faArchive;
    r.FileSize = k;
  });
  catalogs = {{"chunks", path, true}};
  ASSERT_TRUE(index::BuildIndex(path));
  const std::string indexPath = index::indexPathsOf(path)[0];
  const std::string good = test::readFile(indexPath);
  index::IndexHeader h;
  std::memcpy(&h, good.data(), sizeof h);
  const index::IndexLayout l = *index::layoutOf(h);
  ASSERT_GE(l.fenceCount, 4u);

  // One name from each part of the table (the trigrams of numbers spread over it) and
  // trigrams below the first and above the last entry.
  std::string mask = "*\x01\x01\x01*;*\xff\xff\xff*";
  for (std::int32_t k : {0, 123, 301, 456, 599}) mask += ";*" + number(k) + ".*";
  Transcript plain;
  expectSame(mask, TUSearch{}, "every chunk", &plain);
  EXPECT_EQ(plain.hits.size(), 5u);
  EXPECT_EQ(ops.opened, 0);

  auto flipped = [&](std::uint64_t at) {
    std::string bytes = good;
    bytes[at] = static_cast<char>(bytes[at] ^ (1 << (at % 8)));
    return bytes;
  };
  std::vector<std::uint64_t> places;
  for (std::uint64_t at = l.fences; at < l.fences + l.fenceCount * 16; ++at) places.push_back(at);
  for (std::uint64_t at = l.trigrams; at < l.trigrams + h.trigramCount * 16; at += 23) places.push_back(at);
  for (std::uint64_t at : places) {
    test::writeFile(indexPath, flipped(at));
    const Transcript t = run(true, mask, TUSearch{});
    ASSERT_EQ(t.hits, plain.hits) << "bit flipped at " << at;
  }
}

// An index that cannot be made (every file call from the first refused one on fails, as
// on a full disk; also where the file system has no unnamed files) fails nothing: the
// catalog stays as it was, no temporary file stays behind, no part of an index is used,
// and the search reads the catalog instead.
TEST_F(IndexedSearchTest, AnIndexThatCannotBeWrittenLeavesTheCatalogAndNothingElse) {
  addCatalogs(1);
  const std::string path = catalogs[0].path;
  const std::string catalogBytes = test::readFile(path);
  const std::string indexPath = index::writableIndexPath(path);
  const std::string folder = indexPath.substr(0, indexPath.rfind('/') + 1);
  const std::string indexName = indexPath.substr(folder.size());
  test::FaultyFileOps counting;
  ASSERT_TRUE(index::BuildIndex(path, {}, counting));
  ASSERT_GT(counting.calls(), 20);
  for (bool unnamed : {true, false})
    for (int k = 1; k <= counting.calls() + 10; ++k) {
      const std::string why = "call " + std::to_string(k) + (unnamed ? "" : " (named temporary files)");
      index::RemoveIndex(path);
      test::FaultyFileOps faulty(k, true);
      faulty.unnamedFiles = unnamed;
      index::RefreshIndex(path, faulty);
      EXPECT_EQ(test::readFile(path), catalogBytes) << why;
      for (const std::string& name : test::listDir(folder)) EXPECT_EQ(name, indexName) << why;
      if (test::fileExists(indexPath)) {
        std::string error;
        EXPECT_EQ(index::EnsureIndex(path, false, error), index::IndexOutcome::Fresh) << why;
      }
      expectSame("*txt*", TUSearch{}, why);
      if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace kolvex
