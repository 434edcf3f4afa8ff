// Updating a catalog from its volume, rewriting its header, and listing the catalog folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "ScanRig.h"
#include "core/catalog/ArchiveHeader.h"
#include "core/catalog/ArchiveList.h"
#include "core/catalog/ModifyArchive.h"
#include "core/catalog/ScanState.h"
#include "core/catalog/UpdateArchive.h"
#include "core/persist/PersistError.h"
#include "support/FaultyFileOps.h"

namespace kolvex {
namespace {

using test::makeDirs;
using test::Rec;
using test::touch;

bool holds(const std::vector<Rec>& all, const std::string& name) {
  return std::any_of(all.begin(), all.end(), [&](const Rec& r) { return r.r.FileName == name; });
}

TEST(UpdateArchive, RescansKeepingTheEditedHeaderFields) {
  test::ScanRig rig;
  makeDirs(rig.disc() + "Data");
  touch(rig.disc() + "Data/old.txt");
  std::string catalog;
  ASSERT_EQ(rig.scan(rig.disc() + "Data", &catalog).outcome, ScanOutcome::Done);
  HeaderEdits edits;
  edits.label = "My Data";
  edits.description = std::vector<std::string>{"kept"};
  std::string reason;
  ASSERT_TRUE(ModifyArchive(catalog, edits, rig.dialogs, rig.texts, reason));
  TSCCDInfo before;
  test::readAll(catalog, &before);
  before.CreateDateTime -= 1;  // so a new time shows
  RewriteArchiveHeader(catalog, before);

  touch(rig.disc() + "Data/new.txt");
  rig.dialogs.answers = {Answer::Yes};
  ScanResult res = UpdateArchive(rig.scanner(), rig.context(), catalog, true);
  ASSERT_EQ(res.outcome, ScanOutcome::Done) << res.reason;
  EXPECT_EQ(rig.dialogs.questions, std::vector<std::string>{"A028"});
  EXPECT_TRUE(rig.dialogs.messages.empty());  // quiet
  TSCCDInfo after;
  auto all = test::readAll(catalog, &after);
  EXPECT_TRUE(holds(all, "new.txt"));
  EXPECT_EQ(after.TotalFiles, 2);
  EXPECT_EQ(after.CDLabel, "My Data");
  EXPECT_EQ(after.CDDescription->lines, std::vector<std::string>{"kept"});
  EXPECT_EQ(after.BaseDir, rig.disc() + "Data/");
  EXPECT_GT(after.CreateDateTime, before.CreateDateTime);
  EXPECT_EQ(after.SystemVersion, "VORN_VER_1.0");
}

TEST(UpdateArchive, RefusedWhenTheVolumeOrFolderIsNotThere) {
  test::ScanRig rig;
  makeDirs(rig.disc() + "Data");
  touch(rig.disc() + "Data/f");
  std::string catalog;
  ASSERT_EQ(rig.scan(rig.disc() + "Data", &catalog).outcome, ScanOutcome::Done);
  const std::string bytes = test::readFile(catalog);
  TSCCDInfo h;
  test::readAll(catalog, &h);
  auto tryWith = [&](void (*edit)(TSCCDInfo&, const std::string&)) {
    TSCCDInfo changed;
    CopyArchiveHeader(h, changed);
    edit(changed, rig.disc());
    RewriteArchiveHeader(catalog, changed);
    const std::string edited = test::readFile(catalog);
    rig.dialogs.messages.clear();
    ScanResult res = UpdateArchive(rig.scanner(), rig.context(), catalog, false);
    EXPECT_EQ(res.outcome, ScanOutcome::Refused);
    EXPECT_EQ(test::readFile(catalog), edited);
    return rig.dialogs.messages.empty() ? std::string() : rig.dialogs.messages[0].text;
  };
  // Another disc in the drive.
  EXPECT_EQ(tryWith([](TSCCDInfo& c, const std::string&) { c.CreateSerial = "999"; }), "A027");
  // The folder is gone from the disc.
  EXPECT_EQ(tryWith([](TSCCDInfo& c, const std::string& d) { c.BaseDir = d + "Gone/"; }), "A027");
  // A folder elsewhere that the disc does not hold: the whole disc is never the guess.
  EXPECT_EQ(tryWith([](TSCCDInfo& c, const std::string&) { c.BaseDir = "/"; }), "A027");
  // The volumes cannot be read.
  rig.breakMountList();
  EXPECT_EQ(tryWith([](TSCCDInfo&, const std::string&) {}), "A001");
  // No means no.
  test::writeFile(catalog, bytes);
  EXPECT_EQ(UpdateArchive(rig.scanner(), rig.context(), catalog, true).outcome,
            ScanOutcome::Cancelled);
  EXPECT_EQ(test::readFile(catalog), bytes);
}

TEST(UpdateArchive, FailedOrCancelledUpdateKeepsTheOldCatalog) {
  test::ScanRig rig;
  for (int i = 0; i < 20; ++i) touch(rig.disc() + "f" + std::to_string(i));
  std::string catalog;
  ASSERT_EQ(rig.scan(rig.disc(), &catalog).outcome, ScanOutcome::Done);
  const std::string bytes = test::readFile(catalog);
  touch(rig.disc() + "later");

  rig.progress.onStatus = [](std::string_view key) {
    if (key == "A005") TheScanState().AddingCancelled = true;
  };
  EXPECT_EQ(UpdateArchive(rig.scanner(), rig.context(), catalog, false).outcome,
            ScanOutcome::Cancelled);
  EXPECT_EQ(test::readFile(catalog), bytes);
  rig.progress.onStatus = nullptr;

  // The disc fills up while the records are written.
  test::FaultyFileOps full(4, true);
  ScanContext cx{rig.options, rig.volumes,  rig.icons,      rig.dialogs, rig.texts,
                 rig.pump,    rig.progress, rig.archives(), full};
  VolumeScanner scanner(cx);
  rig.dialogs.messages.clear();
  EXPECT_EQ(UpdateArchive(scanner, cx, catalog, false).outcome, ScanOutcome::Failed);
  ASSERT_EQ(rig.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig.dialogs.messages[0].text, "A003");
  EXPECT_EQ(test::readFile(catalog), bytes) << "a failed update keeps the old catalog";
  EXPECT_TRUE(rig.leftovers().empty());
}

TEST(ModifyArchive, RewritesTheHeaderAndKeepsEveryRecord) {
  test::ScanRig rig;
  makeDirs(rig.disc() + "a/b");
  touch(rig.disc() + "a/b/c.txt");
  touch(rig.disc() + "top.txt");
  std::string catalog;
  ASSERT_EQ(rig.scan(rig.disc(), &catalog).outcome, ScanOutcome::Done);
  CatalogReader old(catalog);
  const std::string records = test::readFile(catalog).substr(old.recordBase());
  old.close();

  HeaderEdits edits;
  edits.label = "Disc: one/two";
  edits.baseDir = "/media/u/NEW";
  edits.removable = true;
  edits.description = std::vector<std::string>(50, "a much longer description line");
  std::string reason;
  ASSERT_TRUE(ModifyArchive(catalog, edits, rig.dialogs, rig.texts, reason)) << reason;
  CatalogReader now(catalog);
  EXPECT_EQ(now.header().CDLabel, "Disc_ one_two");
  EXPECT_EQ(now.header().BaseDir, "/media/u/NEW/");
  EXPECT_TRUE(now.header().Removable);
  EXPECT_EQ(now.header().CDDescription->lines.size(), 50u);
  EXPECT_EQ(now.header().CreateSerial, "123");
  EXPECT_EQ(test::readFile(catalog).substr(now.recordBase()), records);
  int seen = 0;
  now.walkTree([&](std::int64_t, const TSCFileObjectInfo&, int) { ++seen; }, true);
  EXPECT_EQ(seen, 5);
  now.close();

  EXPECT_EQ(WithTrailingSeparator("E:\\Backup"), "E:\\Backup\\");
  EXPECT_EQ(WithTrailingSeparator("/srv/x/"), "/srv/x/");

  const std::string bytes = test::readFile(catalog);
  HeaderEdits empty;
  empty.label = "";
  EXPECT_FALSE(ModifyArchive(catalog, empty, rig.dialogs, rig.texts, reason));
  EXPECT_EQ(rig.dialogs.messages.back().text, "A018");
  EXPECT_EQ(test::readFile(catalog), bytes);

  test::FaultyFileOps faulty(3, true);
  EXPECT_FALSE(ModifyArchive(catalog, edits, rig.dialogs, rig.texts, reason, faulty));
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(test::readFile(catalog), bytes);
  EXPECT_FALSE(ModifyArchive(rig.archives() + "none.qel", edits, rig.dialogs, rig.texts, reason));
}

TEST(ArchiveList, EveryCatalogInFolderOrderWithBrokenOnesReported) {
  test::ScanRig rig;
  touch(rig.disc() + "f");
  std::string catalog;
  ASSERT_EQ(rig.scan(rig.disc(), &catalog).outcome, ScanOutcome::Done);
  const std::string bytes = test::readFile(catalog);
  test::writeFile(rig.archives() + "copy.QEL", bytes);
  test::writeFile(rig.archives() + "broken.qel", "not a catalog");
  // Cut short after its header: the header alone reads well, the file does not.
  test::writeFile(rig.archives() + "cut.qel", bytes.substr(0, bytes.size() - 10));
  test::writeFile(rig.archives() + "notes.txt", "x");
  makeDirs(rig.archives() + "folder.qel");
  auto all = ListArchives(rig.archives());
  std::vector<std::string> expected;
  for (const auto& n : test::listingOrder(rig.archives()))
    // The scan left the hidden folder of search indexes; it is no catalog either.
    if (n != "notes.txt" && n != "folder.qel" && n != ".kolvex-index")
      expected.push_back(rig.archives() + n);
  std::vector<std::string> got;
  for (const auto& a : all) got.push_back(a.path);
  EXPECT_EQ(got, expected);
  for (const auto& a : all) {
    if (a.path.ends_with("broken.qel") || a.path.ends_with("cut.qel")) {
      EXPECT_FALSE(a.header) << a.path;
      EXPECT_FALSE(a.error.empty());
    } else {
      ASSERT_TRUE(a.header);
      EXPECT_EQ(a.header->CDLabel, "MYDISC");
    }
  }
  EXPECT_THROW(ListArchives(rig.archives() + "missing"), EStreamError);
}

}  // namespace
}  // namespace kolvex
