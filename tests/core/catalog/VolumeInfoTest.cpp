// The header a volume gives a catalog, the catalog's name and the question before one is
// replaced.
#include <gtest/gtest.h>

#include "ScanRig.h"

namespace kolvex {
namespace {

using test::makeDirs;
using test::touch;

TEST(VolumeInfo, MountPointOfALabelledDisc) {
  test::ScanRig rig;
  touch(rig.disc() + "file.txt");
  TSCCDInfo h;
  h.CreateUser = "kept";
  ASSERT_TRUE(rig.scanner().GetVolumeInfo(rig.disc(), h));
  EXPECT_EQ(h.CreateSerial, "123");
  EXPECT_EQ(h.CDLabel, "MYDISC");
  EXPECT_EQ(h.CDFormat, "vfat");
  EXPECT_EQ(h.CDSize, 650LL << 20);
  EXPECT_EQ(h.BaseDir, rig.disc());
  EXPECT_EQ(h.SystemVersion, "VORN_VER_1.0");
  EXPECT_GT(h.CreateDateTime, 40000.0);
  EXPECT_EQ(h.CreateUser, "kept");
  EXPECT_FALSE(h.Removable);  // a fixed disk
  EXPECT_FALSE(h.CDIconLarge->empty());
  EXPECT_EQ(rig.scanner().ArchiveFileNameFor(h), rig.archives() + "123.qel");

  std::string catalog;
  ASSERT_EQ(rig.scan(rig.disc(), &catalog).outcome, ScanOutcome::Done);
  auto all = test::readAll(catalog);
  EXPECT_EQ(all.back().r.FileName, "");
  EXPECT_EQ(all.back().r.FilePath, "X:\\");
}

TEST(VolumeInfo, FolderOfTheDiscAddsItsPathBelowTheMountPoint) {
  test::ScanRig rig;
  makeDirs(rig.disc() + "Data/Sub/Docs");
  touch(rig.disc() + "Data/Sub/Docs/letter.doc");
  TSCCDInfo h;
  ASSERT_TRUE(rig.scanner().GetVolumeInfo(rig.disc() + "Data/Sub", h));
  EXPECT_EQ(h.CDLabel, "MYDISC_Data_Sub");
  EXPECT_EQ(h.BaseDir, rig.disc() + "Data/Sub/");
  EXPECT_EQ(h.CDSize, 650LL << 20);  // the whole volume
  EXPECT_EQ(rig.scanner().ArchiveFileNameFor(h), rig.archives() + "123_Data_Sub.qel");
  std::string catalog;
  ASSERT_EQ(rig.scan(rig.disc() + "Data/Sub/", &catalog).outcome, ScanOutcome::Done);
  auto all = test::readAll(catalog);
  EXPECT_EQ(all[0].r.FileName, "letter.doc");
  EXPECT_EQ(all[0].r.FilePath, "X:\\Docs\\");
}

TEST(VolumeInfo, UnlabelledRemovableVolumeAndWindowsCatalogNames) {
  test::ScanRig rig({"", "0000-007B", "iso9660"});
  TSCCDInfo h;
  ASSERT_TRUE(rig.scanner().GetVolumeInfo(rig.disc(), h));
  EXPECT_EQ(h.CDLabel, "123");
  EXPECT_TRUE(h.Removable);
  // A catalog made on Windows keeps the drive-letter rule.
  h.BaseDir = "D:\\Data\\Sub\\";
  EXPECT_EQ(rig.scanner().ArchiveFileNameFor(h), rig.archives() + "123_Data_Sub.qel");
  h.BaseDir = "D:\\";
  EXPECT_EQ(rig.scanner().ArchiveFileNameFor(h), rig.archives() + "123.qel");
}

TEST(VolumeInfo, UnreadablePathsLeaveTheHeaderAsItWas) {
  test::ScanRig rig;
  touch(rig.disc() + "plain");
  TSCCDInfo h;
  h.CDLabel = "before";
  EXPECT_FALSE(rig.scanner().GetVolumeInfo(rig.disc() + "missing", h));
  EXPECT_FALSE(rig.scanner().GetVolumeInfo(rig.disc() + "plain", h));  // not a folder
  // The root file system of the made-up machine has neither UUID nor file-system id.
  EXPECT_FALSE(rig.scanner().GetVolumeInfo(rig.dir.path(), h));
  EXPECT_EQ(h.CDLabel, "before");
}

TEST(VolumeInfo, DescriptionFromTheFirstDescriptionFileFound) {
  test::ScanRig rig;
  rig.options.DescriptionFiles->lines = {"missing.txt", "Readme.txt", "info.rtf"};
  touch(rig.disc() + "README.TXT", "Disc of 1999\r\nsecond line\r\n");
  touch(rig.disc() + "info.rtf", "{\\rtf1 not this}");
  TSCCDInfo h;
  ASSERT_TRUE(rig.scanner().GetVolumeInfo(rig.disc(), h));
  EXPECT_EQ(h.CDDescription->lines, (std::vector<std::string>{"Disc of 1999", "second line"}));

  rig.options.DescriptionFiles->lines = {"info.rtf"};
  touch(rig.disc() + "info.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Caf\\'e9\\par Zwei}");
  ASSERT_TRUE(rig.scanner().GetVolumeInfo(rig.disc(), h));
  EXPECT_EQ(h.CDDescription->lines, (std::vector<std::string>{"Caf\xC3\xA9", "Zwei"}));

  rig.options.DescriptionFiles->lines = {"none.txt"};
  ASSERT_TRUE(rig.scanner().GetVolumeInfo(rig.disc(), h));
  EXPECT_TRUE(h.CDDescription->lines.empty());
}

TEST(VolumeInfo, ConfirmOverwriteAsksOnlyWhenAskedAndTheFileExists) {
  test::ScanRig rig;
  const std::string name = rig.archives() + "123.qel";
  VolumeScanner& s = rig.scanner();
  EXPECT_TRUE(s.ConfirmOverwrite(true, false, name));
  EXPECT_TRUE(rig.dialogs.questions.empty());
  touch(name);
  EXPECT_FALSE(s.ConfirmOverwrite(false, false, name));
  EXPECT_TRUE(s.ConfirmOverwrite(false, true, name));
  EXPECT_TRUE(rig.dialogs.questions.empty());
  rig.dialogs.answers = {Answer::Yes, Answer::No};
  EXPECT_TRUE(s.ConfirmOverwrite(true, false, name));
  EXPECT_FALSE(s.ConfirmOverwrite(true, true, name));
  EXPECT_EQ(rig.dialogs.questions, (std::vector<std::string>{"A006", "A006"}));
}

}  // namespace
}  // namespace kolvex
