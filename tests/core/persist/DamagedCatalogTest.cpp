// Damaged and hostile catalogs end with an error message: never a crash, a hang or a
// huge allocation.
#include <gtest/gtest.h>

#include <chrono>

#include "core/persist/CatalogReader.h"
#include "core/persist/CatalogWriter.h"
#include "core/persist/PersistError.h"
#include "support/CatalogCraft.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

using test::Crafted;
using test::dir;
using test::file;
using test::raw;

// Reads everything a reader can reach: the tree with files, and every record in file
// order. Returns the error, or "" when the catalog read cleanly.
std::string readAll(CatalogReader& r);

std::string readAll(const std::string& path) {
  try {
    CatalogReader r(path);
    return readAll(r);
  } catch (const EStreamError& e) {
    return e.what();
  }
}

std::string readBytes(const std::string& bytes) {
  try {
    CatalogReader r(std::make_unique<MemoryStream>(bytes));
    return readAll(r);
  } catch (const EStreamError& e) {
    return e.what();
  }
}

std::string readAll(CatalogReader& r) {
  try {
    std::size_t n = 0;
    r.walkTree([&](std::int64_t, const TSCFileObjectInfo&, int) { ++n; }, true);
    r.forEachInFileOrder([&](std::int64_t, const TSCFileObjectInfo&) { ++n; });
    return "";
  } catch (const EStreamError& e) {
    return e.what();
  }
}

TSCFileObjectInfo dirRecord(std::string name) {
  TSCFileObjectInfo r;
  r.FileName = std::move(name);
  r.FilePath = "X:\\";
  r.Attribute = faDirectory;
  return r;
}

TSCFileObjectInfo fileRecord(std::string name) {
  TSCFileObjectInfo r;
  r.FileName = std::move(name);
  r.FilePath = "X:\\";
  r.Attribute = faArchive;
  r.FileSize = 10;
  return r;
}

class DamagedCatalog : public ::testing::Test {
 protected:
  // A catalog whose counters fit its chains, so that only the links set by hand are wrong.
  std::string crafted(std::vector<Crafted> recs, test::Link entrance) {
    std::string path = tmp.file("crafted.qel");
    test::writeFile(path, test::craftCatalog(std::move(recs), entrance));
    return path;
  }
  // The same with the header's totals as given.
  std::string crafted(std::vector<Crafted> recs, test::Link entrance, int files, int dirs) {
    TSCCDInfo h;
    h.TotalFiles = files;
    h.TotalDirectories = dirs;
    std::string path = tmp.file("crafted.qel");
    test::writeFile(path, test::craftCatalog(std::move(recs), entrance, h, test::Counters::AsGiven));
    return path;
  }
  test::TempDir tmp;
};

TEST_F(DamagedCatalog, EveryTruncationFails) {
  std::string path = tmp.file("good.qel");
  test::writeCatalog(path, dir("", {file("a"), dir("d", {file("b"), dir("e")}), file("c")}));
  std::string good = test::readFile(path);
  ASSERT_EQ(readAll(path), "");
  std::string cut = tmp.file("cut.qel");
  for (std::size_t len = 0; len < good.size(); ++len) {
    EXPECT_NE(readBytes(good.substr(0, len)), "") << "truncated to " << len;
    if (len % 97 == 0) {  // the file reader too, now and then
      test::writeFile(cut, good.substr(0, len));
      EXPECT_NE(readAll(cut), "") << "file truncated to " << len;
    }
  }
}

TEST_F(DamagedCatalog, EverySingleBitFlipIsReadOrRefused) {
  std::vector<test::Entry> entries;
  for (int i = 0; i < 8; ++i) {
    std::vector<test::Entry> inner;
    for (int k = 0; k < 2; ++k) inner.push_back(file("file" + std::to_string(k) + ".txt", i * 1000 + k));
    entries.push_back(dir("folder" + std::to_string(i), inner));
  }
  TSCCDInfo h;
  h.CDLabel = "DISC";
  h.CDDescription->lines = {"A description", "\xC3\xA9t\xC3\xA9"};
  h.CDIconSmall->setBytes(std::string("\0\0\1\0\1\0", 6) + std::string(40, 'i'));
  std::string path = tmp.file("good.qel");
  test::writeCatalog(path, dir("", entries), h);
  std::string good = test::readFile(path);
  ASSERT_GT(good.size(), 3500u);
  ASSERT_LT(good.size(), 6000u);
  int refused = 0;
  for (std::size_t i = 0; i < good.size(); ++i) {
    for (int bit = 0; bit < 8; ++bit) {
      std::string bad = good;
      bad[i] = static_cast<char>(bad[i] ^ (1 << bit));
      if (!readBytes(bad).empty()) ++refused;
    }
  }
  EXPECT_GT(refused, 0);
}

TEST_F(DamagedCatalog, LinksThatDoNotPointBackwardsAreErrors) {
  auto start = std::chrono::steady_clock::now();
  // A directory whose sub-directory link points at itself.
  EXPECT_NE(readAll(crafted({{dirRecord("root"), -1, -1, 0}}, 0)), "");
  // A file chain that links forward.
  EXPECT_NE(readAll(crafted({{fileRecord("a"), 1}, {fileRecord("b"), -1}, {dirRecord(""), -1, 0, -1}},
                            2)),
            "");
  // Two records linking to each other.
  EXPECT_NE(readAll(crafted({{fileRecord("a"), 1}, {fileRecord("b"), 0}, {dirRecord(""), -1, 1, -1}},
                            2)),
            "");
  // Into the middle of a record, into the header, past the end, 2^63.
  for (std::int64_t link : {std::int64_t{5}, std::int64_t{-20}, std::int64_t{1} << 40, INT64_MIN,
                            INT64_MAX}) {
    std::string err = readAll(crafted({{fileRecord("a"), -1}, {dirRecord(""), -1, raw(link), -1}}, 1));
    EXPECT_NE(err, "") << link;
  }
  // The header's entrance past the end of the file and before its start.
  EXPECT_EQ(readAll(crafted({{dirRecord(""), -1, -1, -1}}, raw(1000))), "Stream read error");
  EXPECT_NE(readAll(crafted({{dirRecord(""), -1, -1, -1}}, raw(-5))), "");
  // One directory reached from two parents.
  EXPECT_NE(readAll(crafted({{dirRecord("shared"), -1, -1, -1},
                             {dirRecord("p1"), -1, -1, 0},
                             {dirRecord("p2"), 1, -1, 0},
                             {dirRecord(""), -1, -1, 2}},
                            3)),
            "");
  // Counts that do not fit a file.
  EXPECT_NE(readAll(crafted({{dirRecord(""), -1, -1, -1}}, 0, -5, 0)), "");
  EXPECT_NE(readAll(crafted({{dirRecord(""), -1, -1, -1}}, 0, 2000000000, 0)), "");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(DamagedCatalog, ALinkOutsideTheFileNamesTheRecordHoldingIt) {
  std::string err = readAll(crafted({{fileRecord("a"), -1}, {dirRecord(""), -1, raw(999999), -1}}, 1));
  EXPECT_NE(err.find("damaged"), std::string::npos) << err;
  EXPECT_NE(err.find("999999"), std::string::npos) << err;
}

TEST_F(DamagedCatalog, AMillionNestedFoldersAreWalkedWithoutRecursion) {
  constexpr int kDepth = 1'000'000;
  std::string path = tmp.file("deep.qel");
  {
    CatalogWriter w(path);
    for (int i = 0; i <= kDepth; ++i) w.enterDirectory();
    for (int i = 0; i <= kDepth; ++i) {  // the innermost first
      TSCFileObjectInfo r;
      r.Attribute = faDirectory;
      r.DirsOnlyUM = i > 0 ? 1 : 0;
      r.DirsUnderMe = i;
      w.leaveDirectory(r);
    }
    TSCCDInfo h;
    h.TotalDirectories = kDepth;
    w.commit(h);
  }
  int deepest = 0;
  {
    CatalogReader r(path);
    r.walkTree([&](std::int64_t, const TSCFileObjectInfo&, int d) { deepest = std::max(deepest, d); }, false);
  }
  EXPECT_EQ(deepest, kDepth);
  // Damage the innermost folder, the first record: the walk reaches it and fails.
  std::string bytes = test::readFile(path);
  std::uint64_t base;
  {
    CatalogReader r(path);
    base = r.recordBase();
  }
  bytes[base] = 'X';
  test::writeFile(path, bytes);
  CatalogReader r(path);
  EXPECT_THROW(r.walkTree([](std::int64_t, const TSCFileObjectInfo&, int) {}, false), EStreamError);
}

}  // namespace
}  // namespace kolvex
