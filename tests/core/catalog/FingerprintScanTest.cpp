// Scans that record content fingerprints: the companion file comes and goes with its
// catalog, and a failed or cancelled scan leaves the old pair as it was.
#include <gtest/gtest.h>
#include <unistd.h>

#include "ScanRig.h"
#include "core/catalog/ArchiveHeader.h"
#include "core/catalog/ArchiveList.h"
#include "core/catalog/ScanState.h"
#include "core/catalog/UpdateArchive.h"
#include "core/content/CatalogFileWalk.h"
#include "core/content/CompanionStore.h"
#include "core/content/ContentHasher.h"
#include "core/persist/PersistError.h"
#include "support/FaultyFileOps.h"

namespace kolvex {
namespace {

using test::makeDirs;
using test::touch;

void fillDisc(const std::string& disc) {
  makeDirs(disc + "docs/old");
  touch(disc + "a.txt", "alpha");
  touch(disc + "docs/b.txt", std::string(3000, 'b'));
  touch(disc + "docs/old/c.bin", std::string(70000, 'c'));
  touch(disc + "empty", "");
  ASSERT_EQ(::symlink("a.txt", (disc + "link").c_str()), 0);
}

// What the catalog folder holds after a scan with fingerprints: the catalog, its companion
// and the folder of search indexes, nothing left over.
std::vector<std::string> catalogAndCompanion(const std::string& catalog) {
  auto name = [](const std::string& path) { return path.substr(path.rfind('/') + 1); };
  return {".kolvex-index", name(catalog), name(companionPathOf(catalog))};
}

std::string scanHashed(test::ScanRig& rig, bool fingerprints = true) {
  rig.context().fingerprints = fingerprints;
  std::string catalog;
  EXPECT_EQ(rig.scan(rig.disc(), &catalog).outcome, ScanOutcome::Done);
  return catalog;
}

// Every file of a companion-bearing catalog, with its fingerprint as read now.
void expectFingerprintsOfDisc(const std::string& catalog, const std::string& disc) {
  FingerprintLoad load = loadFingerprints(catalog);
  ASSERT_EQ(load.state, FingerprintLoad::State::Valid) << load.problem;
  CatalogReader reader(catalog);
  ContentHasher hasher;
  int regular = 0;
  forEachCatalogEntry(reader, false, [&](std::int64_t pos, const TSCFileObjectInfo& r,
                                         const std::string& path) {
    const FingerprintEntry* e = load.content.find(pos);
    if (!isRegularFileRecord(r)) {
      EXPECT_EQ(e, nullptr) << path;
      return;
    }
    ++regular;
    ASSERT_NE(e, nullptr) << path;
    EXPECT_EQ(e->size, r.FileSize);
    EXPECT_EQ(e->fingerprint, hasher.hashFile(disc + path).fingerprint) << path;
  });
  EXPECT_EQ(regular, 4);
  EXPECT_EQ(load.content.entries.size(), 4u);
}

TEST(FingerprintScan, RecordsEveryRegularFileWithItsOwnProgress) {
  test::ScanRig rig;
  fillDisc(rig.disc());
  const std::string catalog = scanHashed(rig);
  expectFingerprintsOfDisc(catalog, rig.disc());
  EXPECT_EQ(rig.progress.statuses.back(), "F001");
  EXPECT_EQ(rig.progress.range, 5 + 3000 + 70000);  // bytes, not records
  EXPECT_TRUE(rig.leftovers().empty());
  EXPECT_EQ(test::listDir(rig.archives()), catalogAndCompanion(catalog));
}

TEST(FingerprintScan, ScanWithoutFingerprintsRemovesTheOldCompanion) {
  test::ScanRig rig;
  fillDisc(rig.disc());
  const std::string catalog = scanHashed(rig);
  ASSERT_TRUE(test::fileExists(companionPathOf(catalog)));
  scanHashed(rig, false);
  EXPECT_FALSE(test::fileExists(companionPathOf(catalog)));
  EXPECT_EQ(loadFingerprints(catalog).state, FingerprintLoad::State::None);
}

TEST(FingerprintScan, DeletingTheCatalogDeletesItsCompanion) {
  test::ScanRig rig;
  fillDisc(rig.disc());
  const std::string catalog = scanHashed(rig);
  EXPECT_EQ(DeleteArchive(catalog), "");
  EXPECT_FALSE(test::fileExists(catalog));
  EXPECT_FALSE(test::fileExists(companionPathOf(catalog)));
}

TEST(FingerprintScan, UpdateKeepsFingerprintsOfACatalogThatHadThem) {
  test::ScanRig rig;
  fillDisc(rig.disc());
  const std::string catalog = scanHashed(rig);
  touch(rig.disc() + "docs/b.txt", "changed");
  rig.context().fingerprints = false;
  ASSERT_EQ(UpdateArchive(rig.scanner(), rig.context(), catalog, false).outcome, ScanOutcome::Done);
  EXPECT_FALSE(rig.context().fingerprints);
  expectFingerprintsOfDisc(catalog, rig.disc());
}

TEST(FingerprintScan, CompanionOfAnotherStateIsIgnoredAndSaysSo) {
  test::ScanRig rig;
  fillDisc(rig.disc());
  const std::string catalog = scanHashed(rig);
  const std::string oldCompanion = test::readFile(companionPathOf(catalog));
  touch(rig.disc() + "new", "n");
  scanHashed(rig);
  test::writeFile(companionPathOf(catalog), oldCompanion);
  FingerprintLoad load = loadFingerprints(catalog);
  EXPECT_EQ(load.state, FingerprintLoad::State::Mismatch);
  EXPECT_TRUE(load.content.entries.empty());
  EXPECT_NE(ignoredCompanionText(catalog, load).find(".qfp"), std::string::npos);
  // Damaged bytes are told apart from a stale file.
  test::writeFile(companionPathOf(catalog), oldCompanion.substr(0, 30));
  EXPECT_EQ(loadFingerprints(catalog).state, FingerprintLoad::State::Damaged);
}

TEST(FingerprintScan, CancelWhileHashingKeepsBothOldFiles) {
  test::ScanRig rig;
  fillDisc(rig.disc());
  const std::string catalog = scanHashed(rig);
  touch(rig.disc() + "later", "l");
  const std::string before = test::readFile(catalog);
  const std::string beforePrints = test::readFile(companionPathOf(catalog));
  rig.progress.onStatus = [](std::string_view key) {
    if (key == "F001") TheScanState().AddingCancelled = true;
  };
  EXPECT_EQ(rig.scan(rig.disc()).outcome, ScanOutcome::Cancelled);
  EXPECT_EQ(test::readFile(catalog), before);
  EXPECT_EQ(test::readFile(companionPathOf(catalog)), beforePrints);
  EXPECT_TRUE(rig.leftovers().empty());
  EXPECT_EQ(test::listDir(rig.archives()), catalogAndCompanion(catalog));
}

// A fingerprinting scan of rig's disc into catalog, writing through ops, with seams of
// its own (each has its own temporary folder).
ScanResult scanThrough(test::ScanRig& rig, test::ScanRig& each, FileOps& ops,
                       const std::string& catalog) {
  ScanContext cx{each.options, rig.volumes,  each.icons,     each.dialogs, each.texts,
                 each.pump,    each.progress, rig.archives(), ops};
  cx.fingerprints = true;
  VolumeScanner scanner(cx);
  TSCCDInfo h;
  if (!scanner.GetVolumeInfo(rig.disc(), h)) return {};
  return scanner.CreateArchive(false, true, h, h.BaseDir, catalog);
}

TEST(FingerprintScan, FailureAtAnyCallLeavesTheOldPairOrAWholeNewOne) {
  test::ScanRig rig;
  fillDisc(rig.disc());
  const std::string catalog = scanHashed(rig);
  touch(rig.disc() + "later", "l");
  const std::string before = test::readFile(catalog);
  const std::string beforePrints = test::readFile(companionPathOf(catalog));
  auto restore = [&] {
    test::writeFile(catalog, before);
    test::writeFile(companionPathOf(catalog), beforePrints);
  };
  int calls = 0;
  {
    test::FaultyFileOps counting;
    test::ScanRig each;
    ASSERT_EQ(scanThrough(rig, each, counting, catalog).outcome, ScanOutcome::Done);
    calls = counting.calls();
    restore();
  }
  for (int failAt = 1; failAt <= calls; ++failAt) {
    test::FaultyFileOps faulty(failAt, true);
    test::ScanRig each;
    ScanResult res = scanThrough(rig, each, faulty, catalog);
    EXPECT_TRUE(rig.leftovers().empty()) << "call " << failAt;
    EXPECT_TRUE(each.leftovers().empty()) << "call " << failAt;
    if (res.outcome == ScanOutcome::Done) {
      // Fingerprints whole, or none at all when only they could not be written.
      EXPECT_EQ(loadFingerprints(catalog).state, res.fingerprinted ? FingerprintLoad::State::Valid
                                                                   : FingerprintLoad::State::None)
          << failAt;
      restore();
      continue;
    }
    EXPECT_EQ(res.outcome, ScanOutcome::Failed) << "call " << failAt;
    EXPECT_EQ(test::readFile(catalog), before) << "call " << failAt;
    EXPECT_EQ(test::readFile(companionPathOf(catalog)), beforePrints) << "call " << failAt;
  }
}

// A new header moves every record's place in the file; the fingerprints, counted from the
// records, stay right and are tied to the rewritten catalog, or go when that fails.
TEST(FingerprintScan, HeaderRewriteCarriesTheFingerprintsOrLeavesNone) {
  test::ScanRig rig;
  fillDisc(rig.disc());
  const std::string catalog = scanHashed(rig);
  TSCCDInfo h;
  CopyArchiveHeader(CatalogReader(catalog).header(), h);
  h.CDLabel += " with a much longer label than before";
  RewriteArchiveHeader(catalog, h);
  expectFingerprintsOfDisc(catalog, rig.disc());

  const std::string before = test::readFile(catalog);
  const std::string beforePrints = test::readFile(companionPathOf(catalog));
  int calls = 0;
  {
    test::FaultyFileOps counting;
    h.CDLabel = "short";
    RewriteArchiveHeader(catalog, h, counting);
    calls = counting.calls();
    test::writeFile(catalog, before);
    test::writeFile(companionPathOf(catalog), beforePrints);
  }
  for (int failAt = 1; failAt <= calls; ++failAt) {
    test::FaultyFileOps faulty(failAt, true);
    bool rewritten = true;
    try {
      RewriteArchiveHeader(catalog, h, faulty);
    } catch (const EStreamError&) {
      rewritten = false;
    }
    if (!rewritten) {
      EXPECT_EQ(test::readFile(catalog), before) << "call " << failAt;
      EXPECT_EQ(test::readFile(companionPathOf(catalog)), beforePrints) << "call " << failAt;
    } else {
      // Never a companion beside the catalog that it does not belong to.
      const FingerprintLoad::State state = loadFingerprints(catalog).state;
      EXPECT_TRUE(state == FingerprintLoad::State::Valid || state == FingerprintLoad::State::None)
          << "call " << failAt;
    }
    test::writeFile(catalog, before);
    test::writeFile(companionPathOf(catalog), beforePrints);
  }
}

}  // namespace
}  // namespace kolvex
