// Duplicates, diff and verify on catalogs of made-up discs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <random>
#include <set>

#include "core/catalog/ScanRig.h"
#include "core/compare/CatalogDiff.h"
#include "core/compare/DuplicateFinder.h"
#include "core/compare/MediumVerifier.h"
#include "core/content/CompanionStore.h"

namespace kolvex {
namespace {

using test::makeDirs;
using test::touch;

std::string scan(test::ScanRig& rig, bool fingerprints) {
  rig.context().fingerprints = fingerprints;
  std::string catalog;
  EXPECT_EQ(rig.scan(rig.disc(), &catalog).outcome, ScanOutcome::Done);
  return catalog;
}

// A random tree whose files share names, sizes and contents often enough to collide.
std::vector<std::pair<std::string, std::string>> randomTree(const std::string& disc,
                                                            std::mt19937& random) {
  std::vector<std::pair<std::string, std::string>> files;  // path below disc, content
  const char* names[] = {"a", "b", "c.txt", "d.jpg"};
  const char* contents[] = {"", "x", "y", "xy", "yx", "hello"};
  for (int i = 0; i < 40; ++i) {
    std::string dir = "d" + std::to_string(random() % 4) + "/";
    makeDirs(disc + dir);
    std::string path = dir + names[random() % 4] + std::to_string(random() % 3);
    std::string content = contents[random() % 6];
    touch(disc + path, content);
    files.emplace_back(path, content);
  }
  // A path written twice holds what was written last.
  std::map<std::string, std::string> last;
  for (const auto& [path, content] : files) last[path] = content;
  return {last.begin(), last.end()};
}

using Copy = std::pair<std::size_t, std::string>;

std::set<std::set<Copy>> found(DuplicateFinder& finder) {
  std::set<std::set<Copy>> out;
  for (const DupeGroup& g : finder.groups()) {
    std::set<Copy> group;
    for (const DupeCopy& c : g.copies) group.emplace(c.catalog, c.path);
    out.insert(group);
  }
  return out;
}

// Groups of the transitive "same" relation by brute force over every pair.
template <typename Same>
std::set<std::set<Copy>> bruteForce(
    const std::vector<std::vector<std::pair<std::string, std::string>>>& discs, Same same) {
  std::vector<std::pair<Copy, std::string>> all;
  for (std::size_t d = 0; d < discs.size(); ++d)
    for (const auto& [path, content] : discs[d])
      if (!content.empty()) all.push_back({{d, path}, content});
  std::set<std::set<Copy>> out;
  std::vector<bool> taken(all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (taken[i]) continue;
    std::set<Copy> group{all[i].first};
    for (std::size_t j = i + 1; j < all.size(); ++j)
      if (!taken[j] && same(all[i], all[j])) {
        group.insert(all[j].first);
        taken[j] = true;
      }
    if (group.size() > 1) out.insert(group);
  }
  return out;
}

std::string nameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

TEST(Duplicates, MatchBruteForceByContentAndByNameAndSize) {
  for (unsigned seed = 1; seed <= 3; ++seed) {
    std::mt19937 random(seed);
    std::vector<std::unique_ptr<test::ScanRig>> rigs;
    std::vector<std::vector<std::pair<std::string, std::string>>> discs;
    std::vector<std::string> catalogs;
    for (int d = 0; d < 3; ++d) {
      test::DiscSetup setup;
      setup.uuid = "0000-00" + std::to_string(10 + d);
      rigs.push_back(std::make_unique<test::ScanRig>(setup));
      discs.push_back(randomTree(rigs.back()->disc(), random));
      catalogs.push_back(scan(*rigs.back(), true));
    }
    DuplicateFinder byContent({true, false, 1});
    byContent.addCatalogs(catalogs);
    EXPECT_EQ(found(byContent), bruteForce(discs, [](const auto& a, const auto& b) {
                return a.second == b.second;
              })) << seed;
    DuplicateFinder byName({false, false, 1});
    byName.addCatalogs(catalogs);
    EXPECT_EQ(found(byName), bruteForce(discs, [](const auto& a, const auto& b) {
                return a.second.size() == b.second.size() &&
                       nameOf(a.first.second) == nameOf(b.first.second);
              })) << seed;
    // Each rig sets the temporary folder and gives back the one before it: last made,
    // first gone.
    while (!rigs.empty()) rigs.pop_back();
  }
}

TEST(Duplicates, FileWithoutFingerprintJoinsByNameAndSizeAndGroupsComeByWaste) {
  test::DiscSetup second;
  second.uuid = "0000-0099";
  test::ScanRig a, b(second);
  touch(a.disc() + "big.iso", std::string(1000, 'i'));
  touch(a.disc() + "copy.iso", std::string(1000, 'i'));
  touch(a.disc() + "note", "nn");
  touch(a.disc() + "zero", "");
  touch(b.disc() + "big.iso", std::string(1000, 'i'));  // no fingerprint over there
  touch(b.disc() + "note", "nn");
  touch(b.disc() + "zero", "");
  const std::string withPrints = scan(a, true), without = scan(b, false);
  DuplicateFinder finder({true, false, 1});
  finder.addCatalogs({withPrints, without});
  auto groups = finder.groups();
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].size, 1000);
  EXPECT_TRUE(groups[0].fingerprint.has_value());
  EXPECT_EQ(groups[0].copies.size(), 3u);
  EXPECT_EQ(groups[0].wasted(), 2000);
  EXPECT_EQ(groups[1].copies.size(), 2u);  // "note": zero-byte files are left out
  // Each copy as a list shows it, and whether its medium is here.
  for (const DupeCopy& c : groups[0].copies) {
    EXPECT_EQ(copyName(c), nameOf(std::string(c.path)));
    EXPECT_EQ(copyStoredFolder(c), "X:\\");
    EXPECT_GT(c.time, 0.0);
  }
  EXPECT_EQ(copyStoredFolder({.path = "Docs/Old/a\\b.txt"}), "X:\\Docs\\Old\\");
  EXPECT_EQ(copyName({.path = "Docs/Old/a\\b.txt"}), "a\\b.txt");
  Volume here;
  here.serial = static_cast<std::uint32_t>(std::stoul(finder.catalogs()[1].serial));
  finder.markMounted({here});
  EXPECT_FALSE(finder.catalogs()[0].mounted);
  EXPECT_TRUE(finder.catalogs()[1].mounted);
  DuplicateFinder withZero({true, false, 0});
  withZero.addCatalogs({withPrints, without});
  EXPECT_EQ(withZero.groups().size(), 3u);
}

TEST(Duplicates, DamagedCatalogIsLeftOutWithItsError) {
  test::ScanRig rig;
  touch(rig.disc() + "f", "1");
  const std::string catalog = scan(rig, true);
  test::writeFile(rig.archives() + "bad.qel", "not a catalog");
  DuplicateFinder finder({});
  finder.addCatalogs({catalog, rig.archives() + "bad.qel"});
  EXPECT_TRUE(finder.catalogs()[0].read);
  EXPECT_FALSE(finder.catalogs()[1].read);
  EXPECT_FALSE(finder.catalogs()[1].warning.empty());
}

// The catalog and its companion kept under another name, as the state before a change.
std::string keep(const std::string& catalog, const std::string& as) {
  test::writeFile(as, test::readFile(catalog));
  test::writeFile(companionPathOf(as), test::readFile(companionPathOf(catalog)));
  return as;
}

TEST(Diff, RenamedFolderIsMovedAndSameSizeEditIsContent) {
  test::ScanRig rig;
  makeDirs(rig.disc() + "photos/2020");
  touch(rig.disc() + "photos/2020/a.jpg", "aaaa");
  touch(rig.disc() + "photos/2020/b.jpg", "bbbbbb");
  touch(rig.disc() + "keep.txt", "same");
  touch(rig.disc() + "edit.txt", "1234");
  touch(rig.disc() + "gone.txt", "g");
  struct stat st {};
  ::stat((rig.disc() + "edit.txt").c_str(), &st);
  const std::string older = keep(scan(rig, true), rig.dir.file("old.qel"));
  ASSERT_EQ(::rename((rig.disc() + "photos/2020").c_str(), (rig.disc() + "photos/2021").c_str()), 0);
  touch(rig.disc() + "edit.txt", "4321");
  struct timespec times[2] = {st.st_atim, st.st_mtim};
  ::utimensat(AT_FDCWD, (rig.disc() + "edit.txt").c_str(), times, 0);
  ::unlink((rig.disc() + "gone.txt").c_str());
  touch(rig.disc() + "new.txt", "nn");
  const std::string newer = scan(rig, true);

  CatalogDiff diff = diffCatalogs(loadCatalogFiles(older), loadCatalogFiles(newer));
  std::vector<std::string> seen;
  for (const DiffItem& d : diff.items) {
    std::string what;
    for (const auto& w : d.what) what += w;
    seen.push_back(std::string(diffKindName(d.kind)) + " " + d.oldPath + ">" + d.newPath + " " + what);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"added >new.txt ", "removed gone.txt> ",
                                            "changed edit.txt>edit.txt content",
                                            "moved photos/2020/a.jpg>photos/2021/a.jpg ",
                                            "moved photos/2020/b.jpg>photos/2021/b.jpg "}));
  EXPECT_EQ(diff.moved.count, 2);
  EXPECT_EQ(diff.moved.bytes, 10);
  EXPECT_EQ(diff.removed.bytes, 1);
  EXPECT_TRUE(diffCatalogs(loadCatalogFiles(newer), loadCatalogFiles(newer)).same());
}

TEST(Verify, FindsMissingNewChangedAndSilentCorruption) {
  test::ScanRig rig;
  makeDirs(rig.disc() + "data");
  touch(rig.disc() + "data/archive.bin", std::string(5000, 'z'));
  touch(rig.disc() + "data/grows.txt", "short");
  touch(rig.disc() + "data/leaves.txt", "l");
  const std::string catalog = scan(rig, true);
  CatalogFiles files = loadCatalogFiles(catalog);
  auto base = findMediumBase(files.header, rig.volumes.list());
  ASSERT_TRUE(base);
  EXPECT_EQ(*base, rig.disc());
  EXPECT_TRUE(MediumVerifier::verify(files, *base).matches());

  // One flipped byte, size and time kept.
  const std::string victim = rig.disc() + "data/archive.bin";
  struct stat st {};
  ::stat(victim.c_str(), &st);
  std::string bytes = test::readFile(victim);
  bytes[2500] ^= 1;
  test::writeFile(victim, bytes);
  struct timespec times[2] = {st.st_atim, st.st_mtim};
  ::utimensat(AT_FDCWD, victim.c_str(), times, 0);
  touch(rig.disc() + "data/grows.txt", "much longer now");
  ::unlink((rig.disc() + "data/leaves.txt").c_str());
  touch(rig.disc() + "data/arrived", "a");

  VerifyReport report = MediumVerifier::verify(files, *base);
  std::vector<std::string> seen;
  for (const VerifyItem& v : report.items)
    seen.push_back(std::string(verifyKindName(v.kind)) + " " + v.path);
  EXPECT_EQ(seen, (std::vector<std::string>{"missing data/leaves.txt", "new data/arrived",
                                            "changed data/grows.txt",
                                            "corrupt data/archive.bin"}));
  EXPECT_EQ(report.rehashed, 1);
  EXPECT_EQ(MediumVerifier::verify(files, *base, [](auto, auto) { return false; }).cancelled, true);

  // Another medium, or none, is not taken for this one.
  TSCCDInfo other = files.header;
  other.CreateSerial = "77";
  EXPECT_FALSE(findMediumBase(other, rig.volumes.list()));
}

}  // namespace
}  // namespace kolvex
