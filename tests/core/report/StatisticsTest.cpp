// Statistics against a direct count over the records of the catalogs.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/catalog/DateTimeText.h"
#include "core/report/CatalogStatistics.h"
#include "core/report/RowText.h"
#include "support/OddCatalog.h"
#include "support/TempDir.h"

namespace kolvex::test {
namespace {

struct Direct {
  std::int64_t files = 0, folders = 0, bytes = 0;
  std::map<FileKind, SpaceCount> kinds;
  std::map<std::string, SpaceCount> extensions;
  std::vector<RankedEntry> all;  // every file with its path
  std::vector<RankedEntry> dirs;
};

// Counts the tree that was written, independently of the catalog walk.
std::int64_t count(const Entry& d, const std::string& path, const std::string& label,
                   FileKindClassifier& kinds, Direct& out) {
  std::int64_t bytes = 0;
  for (const Entry& e : d.entries) {
    const std::string p = JoinFolderPath(path, e.name);
    if (e.dir) {
      ++out.folders;
      const std::int64_t b = count(e, p, label, kinds, out);
      out.dirs.push_back({p, label, b, 0.0});
      bytes += b;
      continue;
    }
    ++out.files;
    out.bytes += e.size;
    bytes += e.size;
    const std::string ext = ExtensionOf(e.name);
    SpaceCount& k = out.kinds[ext.empty() ? FileKind::Other : kinds.kindOfExtension(ext)];
    ++k.files;
    k.bytes += e.size;
    SpaceCount& x = out.extensions[ext];
    ++x.files;
    x.bytes += e.size;
    out.all.push_back({p, label, e.size, e.time});
  }
  return bytes;
}

std::vector<std::string> paths(const std::vector<RankedEntry>& list) {
  std::vector<std::string> out;
  for (const RankedEntry& e : list) out.push_back(e.path + "|" + std::to_string(e.bytes));
  return out;
}

class StatisticsTest : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const Entry& tree, std::int64_t capacity) {
    TSCCDInfo h;
    h.CDLabel = name;
    h.CDSize = capacity;
    const std::string path = tmp.file(name + ".qel");
    writeCatalog(path, tree, h);
    return path;
  }
  TempDir tmp;
  TableKinds table;
};

TEST_F(StatisticsTest, OneCatalogAgreesWithADirectCount) {
  const Entry tree = oddTree(900, 3);
  const std::string path = write("ONE", tree, 1LL << 32);
  FileKinds kinds(table);
  CatalogStatistics stats;
  CatalogReader reader(path);
  ASSERT_TRUE(stats.addCatalog(reader, kinds));

  Direct d;
  TableKinds direct;
  count(tree, "/", "ONE", direct, d);
  EXPECT_EQ(stats.catalogs, 1);
  EXPECT_EQ(stats.files, d.files);
  EXPECT_EQ(stats.folders, d.folders);
  EXPECT_EQ(stats.bytes, d.bytes);
  EXPECT_EQ(stats.capacity(), 1LL << 32);
  EXPECT_DOUBLE_EQ(stats.fill(), static_cast<double>(d.bytes) / (1LL << 32));
  for (FileKind k : kAllFileKinds) {
    EXPECT_EQ(stats.kind(k).files, d.kinds[k].files) << FileKindName(k);
    EXPECT_EQ(stats.kind(k).bytes, d.kinds[k].bytes) << FileKindName(k);
  }
  ASSERT_EQ(stats.byExtension.size(), d.extensions.size());
  for (const auto& [ext, c] : d.extensions) {
    EXPECT_EQ(stats.byExtension.at(ext).files, c.files) << ext;
    EXPECT_EQ(stats.byExtension.at(ext).bytes, c.bytes) << ext;
  }
  // The MIME database is asked once per extension, not once per file.
  EXPECT_LE(table.asked, static_cast<int>(d.extensions.size()));

  std::vector<RankedEntry> bySize = d.all;
  std::stable_sort(bySize.begin(), bySize.end(), [](const RankedEntry& a, const RankedEntry& b) {
    return a.bytes != b.bytes ? a.bytes > b.bytes : a.path < b.path;
  });
  bySize.resize(CatalogStatistics::kTopSizes);
  EXPECT_EQ(paths(stats.largestFiles), paths(bySize));

  std::vector<RankedEntry> dirs = d.dirs;
  std::stable_sort(dirs.begin(), dirs.end(), [](const RankedEntry& a, const RankedEntry& b) {
    return a.bytes != b.bytes ? a.bytes > b.bytes : a.path < b.path;
  });
  dirs.resize(std::min(dirs.size(), CatalogStatistics::kTopSizes));
  EXPECT_EQ(paths(stats.largestFolders), paths(dirs));

  std::vector<RankedEntry> dated;
  for (const RankedEntry& e : d.all)
    if (e.time != 0.0 && CalendarOfDayCount(e.time)) dated.push_back(e);
  ASSERT_LT(dated.size(), d.all.size());  // the undated file is left out of the dates
  auto oldest = std::min_element(dated.begin(), dated.end(), [](auto& a, auto& b) { return a.time < b.time; });
  auto newest = std::max_element(dated.begin(), dated.end(), [](auto& a, auto& b) { return a.time < b.time; });
  ASSERT_EQ(stats.oldestFiles.size(), CatalogStatistics::kTopDates);
  EXPECT_EQ(stats.oldestFiles.front().time, oldest->time);
  EXPECT_EQ(stats.newestFiles.front().time, newest->time);
  EXPECT_TRUE(std::is_sorted(stats.oldestFiles.begin(), stats.oldestFiles.end(),
                             [](auto& a, auto& b) { return a.time < b.time; }));

  const auto top = stats.topExtensions();
  ASSERT_EQ(top.size(), std::min<std::size_t>(20, d.extensions.size()));
  for (std::size_t i = 1; i < top.size(); ++i) EXPECT_GE(top[i - 1].count.bytes, top[i].count.bytes);
  for (const auto& [ext, c] : d.extensions)
    if (c.bytes > top.back().count.bytes) {
      EXPECT_TRUE(std::any_of(top.begin(), top.end(), [&](auto& t) { return t.extension == ext; })) << ext;
    }
}

TEST_F(StatisticsTest, AcrossCatalogsIsTheSumAndTheMergedRankings) {
  const Entry a = oddTree(300, 11), b = oddTree(400, 12);
  const std::string pa = write("A", a, 1LL << 30), pb = write("B", b, 0);
  FileKinds kinds(table);
  CatalogStatistics both, onlyA, onlyB;
  {
    CatalogReader ra(pa), rb(pb), ra2(pa), rb2(pb);
    ASSERT_TRUE(both.addCatalog(ra, kinds));
    ASSERT_TRUE(both.addCatalog(rb, kinds));
    ASSERT_TRUE(onlyA.addCatalog(ra2, kinds));
    ASSERT_TRUE(onlyB.addCatalog(rb2, kinds));
  }
  EXPECT_EQ(both.catalogs, 2);
  EXPECT_EQ(both.files, onlyA.files + onlyB.files);
  EXPECT_EQ(both.bytes, onlyA.bytes + onlyB.bytes);
  // Only A's volume told its capacity: the fill is A's files over A's capacity.
  EXPECT_EQ(both.capacity(), 1LL << 30);
  EXPECT_DOUBLE_EQ(both.fill(), onlyA.fill());
  Direct d;
  TableKinds direct;
  count(a, "/", "A", direct, d);
  count(b, "/", "B", direct, d);
  std::stable_sort(d.all.begin(), d.all.end(), [](const RankedEntry& x, const RankedEntry& y) {
    return x.bytes != y.bytes ? x.bytes > y.bytes : x.path < y.path;
  });
  ASSERT_EQ(both.largestFiles.size(), CatalogStatistics::kTopSizes);
  for (std::size_t i = 0; i < CatalogStatistics::kTopSizes; ++i)
    EXPECT_EQ(both.largestFiles[i].bytes, d.all[i].bytes) << i;
}

// Catalogs of one volume: its capacity counts once, and files that two of its catalogs
// both hold (the same folder twice, or a folder below another) fill it once.
TEST_F(StatisticsTest, AVolumeCountsOnceHoweverManyOfItsCatalogsAreAdded) {
  struct Made {
    std::string path;
    std::int64_t bytes;
  };
  auto make = [&](const std::string& name, const std::string& serial, const std::string& fs,
                  const std::string& base, std::int64_t capacity, double time, int seed) {
    TSCCDInfo h;
    h.CDLabel = name;
    h.CDSize = capacity;
    h.CreateSerial = serial;
    h.CDFormat = fs;
    h.BaseDir = base;
    h.CreateDateTime = time;
    const Entry tree = oddTree(50 + seed, seed);
    const std::string path = tmp.file(name + ".qel");
    writeCatalog(path, tree, h);
    Direct d;
    TableKinds direct;
    count(tree, "/", name, direct, d);
    return Made{path, d.bytes};
  };
  const std::int64_t disk = 500LL << 30;
  const Made usr = make("usr", "77", "ext4", "/usr/", disk, 100.0, 1);
  const Made share = make("share", "77", "ext4", "/usr/share/", disk, 101.0, 2);  // inside /usr
  const Made flat = make("flat", "77", "ext4", "/tmp/flat/", disk - 5, 99.0, 3);  // older capacity
  const Made oldHome = make("home1", "77", "ext4", "/home/", disk, 50.0, 4);
  const Made newHome = make("home2", "77", "ext4", "/home", disk, 60.0, 5);  // the same folder, later
  const Made stick = make("stick", "77", "vfat", "/media/s/", 1LL << 30, 10.0, 6);  // another FS
  const Made disc = make("disc", "0", "udf", "/media/cd/", 0, 10.0, 7);  // no serial, no capacity
  const Made disc2 = make("disc2", "0", "udf", "/media/cd2/", 0, 10.0, 8);

  FileKinds kinds(table);
  CatalogStatistics all;
  std::int64_t bytes = 0;
  for (const Made& m : {usr, share, flat, oldHome, newHome, stick, disc, disc2}) {
    CatalogStatistics one;
    CatalogReader reader(m.path);
    ASSERT_TRUE(one.addCatalog(reader, kinds));
    all.add(one);  // as the desktop adds what it read before
    bytes += m.bytes;
  }
  EXPECT_EQ(all.catalogs, 8);
  EXPECT_EQ(all.bytes, bytes);  // the total is of every catalog
  EXPECT_EQ(all.volumesWithCapacity(), 2);
  EXPECT_EQ(all.volumesWithoutCapacity(), 2);  // two discs without serial stay apart
  // The disk's capacity from its newest catalog, once; the stick's beside it.
  EXPECT_EQ(all.capacity(), disk + (1LL << 30));
  const std::int64_t filled = usr.bytes + flat.bytes + newHome.bytes + stick.bytes;
  EXPECT_EQ(all.filledBytes(), filled);
  EXPECT_DOUBLE_EQ(all.fill(), static_cast<double>(filled) / static_cast<double>(disk + (1LL << 30)));

  // The order in which the catalogs come does not change the figures.
  CatalogStatistics backwards;
  for (const Made& m : {disc2, disc, stick, newHome, oldHome, flat, share, usr}) {
    CatalogReader reader(m.path);
    ASSERT_TRUE(backwards.addCatalog(reader, kinds));
  }
  EXPECT_EQ(backwards.capacity(), all.capacity());
  EXPECT_EQ(backwards.filledBytes(), all.filledBytes());
}

TEST_F(StatisticsTest, StoppedOrDamagedCatalogAddsNothing) {
  const std::string path = write("S", oddTree(200, 5), 0);
  FileKinds kinds(table);
  CatalogStatistics stats;
  CatalogReader reader(path);
  EXPECT_FALSE(stats.addCatalog(reader, kinds, [](std::int64_t done) { return done < 10; }));
  EXPECT_EQ(stats.catalogs, 0);
  EXPECT_EQ(stats.files, 0);
  EXPECT_TRUE(stats.byExtension.empty());
  EXPECT_EQ(stats.fill(), -1.0);
}

TEST(FileKinds, ExtensionsHoldALetterDecideTheKindAndAreAskedOnce) {
  EXPECT_EQ(ExtensionOf("a.TXT"), "txt");
  EXPECT_EQ(ExtensionOf("a.tar.GZ"), "gz");
  EXPECT_EQ(ExtensionOf(".profile"), "");
  EXPECT_EQ(ExtensionOf("dot."), "");
  EXPECT_EQ(ExtensionOf("none"), "");
  // Numbers after the last dot are versions or parts, not kinds of file.
  EXPECT_EQ(ExtensionOf("libfoo.so.13"), "so");
  EXPECT_EQ(ExtensionOf("libbar.so.1.2.10"), "so");
  EXPECT_EQ(ExtensionOf("backup.tar.001"), "tar");
  EXPECT_EQ(ExtensionOf("python3.11"), "");
  EXPECT_EQ(ExtensionOf("v1.2.3"), "");
  EXPECT_EQ(ExtensionOf("song.MP3"), "mp3");
  EXPECT_EQ(ExtensionOf("x.7z"), "7z");
  EXPECT_EQ(ExtensionOf("a.-"), "");
  EXPECT_EQ(ExtensionOf("caf\xC3\xA9.\xC3\xA9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9");
  TableKinds table;
  FileKinds kinds(table);
  EXPECT_EQ(kinds.kindOf("x.JPG"), FileKind::Image);
  EXPECT_EQ(kinds.kindOf("y.jpg"), FileKind::Image);
  EXPECT_EQ(kinds.kindOf("README"), FileKind::Other);
  EXPECT_EQ(table.asked, 1);
}

}  // namespace
}  // namespace kolvex::test
