// Updating a catalog whose medium is now mounted somewhere else: the volume is found by
// its serial and the base folder follows it.
#include <gtest/gtest.h>

#include <algorithm>

#include "ScanRig.h"
#include "core/catalog/ArchiveHeader.h"
#include "core/catalog/UpdateArchive.h"

namespace kolvex {
namespace {

using test::makeDirs;
using test::touch;

bool holds(const std::vector<test::Rec>& all, const std::string& name) {
  return std::any_of(all.begin(), all.end(), [&](const test::Rec& r) { return r.r.FileName == name; });
}

struct Remounted : ::testing::Test {
  test::ScanRig rig;
  std::string catalog;
  // Where the disc goes: a folder of the test, as a desktop mounts below /media/<user>.
  std::string elsewhere = rig.dir.path() + "media/LABEL";

  void scanThenRemount(const std::string& below) {
    ASSERT_EQ(rig.scan(rig.disc() + below, &catalog).outcome, ScanOutcome::Done);
    makeDirs(rig.dir.path() + "media");
    rig.remountAt(elsewhere);
  }
  TSCCDInfo update() {
    ScanResult res = UpdateArchive(rig.scanner(), rig.context(), catalog, false);
    EXPECT_EQ(res.outcome, ScanOutcome::Done) << res.reason;
    EXPECT_TRUE(rig.dialogs.messages.empty());
    TSCCDInfo after;
    test::readAll(catalog, &after);
    return after;
  }
};

TEST_F(Remounted, AFolderOfTheDiscIsFoundBelowItsNewMountPoint) {
  makeDirs(rig.disc() + "Data/Sub");
  touch(rig.disc() + "Data/Sub/old.txt");
  scanThenRemount("Data/Sub");
  touch(elsewhere + "/Data/Sub/new.txt");
  TSCCDInfo after = update();
  EXPECT_EQ(after.BaseDir, elsewhere + "/Data/Sub/");
  EXPECT_EQ(after.CDLabel, "MYDISC_Data_Sub");
  EXPECT_TRUE(holds(test::readAll(catalog), "new.txt"));
}

TEST_F(Remounted, TheCatalogsNameSettlesWhichFolderItDescribes) {
  // The whole disc was catalogued, and the disc holds a folder named like the folder it
  // was mounted on: the catalog "123.qel" names the disc's root, not that folder.
  makeDirs(rig.disc() + "disc");
  touch(rig.disc() + "disc/inner.txt");
  touch(rig.disc() + "top.txt");
  scanThenRemount("");
  TSCCDInfo after = update();
  EXPECT_EQ(after.BaseDir, elsewhere + "/");
  EXPECT_TRUE(holds(test::readAll(catalog), "top.txt"));
}

TEST_F(Remounted, ACatalogMadeOnWindowsIsUpdatedFromTheDiscWhereverItIs) {
  makeDirs(rig.disc() + "Data");
  touch(rig.disc() + "Data/a.txt");
  scanThenRemount("Data");
  TSCCDInfo h;
  test::readAll(catalog, &h);
  h.BaseDir = "D:\\Data\\";
  RewriteArchiveHeader(catalog, h);
  EXPECT_EQ(update().BaseDir, elsewhere + "/Data/");
}

TEST_F(Remounted, AFolderTheDiscNoLongerHoldsIsRefused) {
  makeDirs(rig.disc() + "Data");
  touch(rig.disc() + "Data/a.txt");
  scanThenRemount("Data");
  const std::string before = test::readFile(catalog);
  ASSERT_EQ(::rename((elsewhere + "/Data").c_str(), (elsewhere + "/Renamed").c_str()), 0);
  ScanResult res = UpdateArchive(rig.scanner(), rig.context(), catalog, false);
  EXPECT_EQ(res.outcome, ScanOutcome::Refused);
  ASSERT_EQ(rig.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig.dialogs.messages[0].text, "A027");
  EXPECT_EQ(test::readFile(catalog), before);
}

}  // namespace
}  // namespace kolvex
