// Names, scanned paths, sizes, header copies and header rewrites.
#include <gtest/gtest.h>

#include "core/catalog/ArchiveHeader.h"
#include "core/catalog/FileNames.h"
#include "core/catalog/FormatSize.h"
#include "core/catalog/ScannedPath.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"
#include "support/CatalogCraft.h"
#include "support/FaultyFileOps.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

TEST(FileNames, InvalidCharactersBecomeUnderscores) {
  EXPECT_EQ(ReplaceInvalidChars("MYDISC\\Data\\Sub"), "MYDISC_Data_Sub");
  EXPECT_EQ(ReplaceInvalidChars("a:b\"c|d*e?f/g<h>i"), "a_b_c_d_e_f_g_h_i");
  EXPECT_EQ(ReplaceInvalidChars("plain name.txt"), "plain name.txt");
  EXPECT_EQ(ReplaceInvalidChars("caf\xC3\xA9"), "caf\xC3\xA9");
}

TEST(FileNames, TemporaryFilesAreNewEmptyAndUnique) {
  std::string a = MakeTempFileName(), b = MakeTempFileName();
  EXPECT_NE(a, b);
  EXPECT_NE(a.find("/QE_"), std::string::npos);
  EXPECT_EQ(test::readFile(a), "");
  ::unlink(a.c_str());
  ::unlink(b.c_str());
}

TEST(ScannedPath, StoredFoldersBecomePathsOfTheSystemThatScannedThem) {
  EXPECT_EQ(ScannedPath("/media/u/DISC/", "X:\\"), "/media/u/DISC/");
  EXPECT_EQ(ScannedPath("/media/u/DISC/", "X:\\a b\\c\\", "f.txt"), "/media/u/DISC/a b/c/f.txt");
  // A Linux name may hold a backslash; only the stored folder's are separators.
  EXPECT_EQ(ScannedPath("/srv/", "X:\\d\\", "odd\\name"), "/srv/d/odd\\name");
  // A folder stored without its trailing backslash still gets one before the name.
  EXPECT_EQ(ScannedPath("/srv/", "X:\\d", "f"), "/srv/d/f");
  // A catalog written on a drive keeps that system's separators.
  EXPECT_EQ(ScannedPath("D:\\Data\\", "X:\\sub\\", "f"), "D:\\Data\\sub\\f");
}

TEST(FormatSize, TruncatesToTwoDecimalsInTheLargestUnit) {
  EXPECT_EQ(FormatSize(0, "."), "0 B");
  EXPECT_EQ(FormatSize(1023, "."), "1023 B");
  EXPECT_EQ(FormatSize(1024, "."), "1 KB");
  EXPECT_EQ(FormatSize(1126, "."), "1.09 KB");
  EXPECT_EQ(FormatSize(1126, ","), "1,09 KB");
  EXPECT_EQ(FormatSize(650LL << 20, "."), "650 MB");
  EXPECT_EQ(FormatSize(1LL << 30, "."), "1 GB");
  EXPECT_EQ(FormatSize((1LL << 30) - 1, "."), "1023.99 MB");
  EXPECT_EQ(FormatSize(-1, "."), "-1 B");
  EXPECT_EQ(FormatSize(1LL << 40, "."), "1 TB");
  // The units end at TB.
  EXPECT_EQ(FormatSize(1LL << 50, "."), "1024 TB");
  EXPECT_EQ(FormatSize(INT64_MAX, "."), "8388608 TB");
  // For columns: one precision whatever the value, still truncated.
  EXPECT_EQ(FormatSizeTwoDecimals(650LL << 20), "650.00 MB");
  EXPECT_EQ(FormatSizeTwoDecimals((1LL << 30) - 1), "1023.99 MB");
  EXPECT_EQ(FormatSizeTwoDecimals(1126), "1.09 KB");
  EXPECT_EQ(FormatSizeTwoDecimals(512), "512 B");
}

TEST(ArchiveHeader, CopySharesIconsAndDescription) {
  TSCCDInfo s, t;
  s.CDLabel = "L";
  s.CDSize = 5;
  s.CreateSerial = "123";
  s.TotalFiles = 3;
  s.EntranceRP = 77;
  s.BaseDir = "/media/x/";
  s.Removable = true;
  s.CDDescription->lines = {"d"};
  CopyArchiveHeader(s, t);
  EXPECT_EQ(t.CDLabel, "L");
  EXPECT_EQ(t.EntranceRP, 77);
  EXPECT_TRUE(t.Removable);
  EXPECT_EQ(t.CDDescription, s.CDDescription);
  EXPECT_EQ(t.CDIconSmall, s.CDIconSmall);
  // Clearing the copy for a new read must not empty the source's shared lists.
  t.clear();
  EXPECT_EQ(s.CDDescription->lines, std::vector<std::string>{"d"});
}

class Rewrite : public ::testing::Test {
 protected:
  void SetUp() override {
    TSCCDInfo h;
    h.CDLabel = "OLD";
    test::writeCatalog(path, test::dir("", {test::file("a"), test::dir("d", {test::file("b")})}), h);
  }
  std::vector<std::string> tree() {
    CatalogReader r(path);
    std::vector<std::string> names;
    r.walkTree([&](std::int64_t, const TSCFileObjectInfo& rec, int) { names.push_back(rec.FileName); }, true);
    return names;
  }
  test::TempDir tmp;
  std::string path = tmp.file("1.qel");
};

TEST_F(Rewrite, LongerAndShorterHeadersKeepEveryRecord) {
  auto before = tree();
  for (std::string label : {std::string(3000, 'x'), std::string("S")}) {
    TSCCDInfo h;
    {
      CatalogReader r(path);
      CopyArchiveHeader(r.header(), h);
    }
    h.CDLabel = label;
    h.CDDescription = std::make_shared<TStringList>();
    h.CDDescription->lines = {"new description"};
    RewriteArchiveHeader(path, h);
    EXPECT_EQ(tree(), before);
    CatalogReader r(path);
    EXPECT_EQ(r.header().CDLabel, label);
    EXPECT_EQ(r.header().CDDescription->lines, std::vector<std::string>{"new description"});
  }
  EXPECT_EQ(test::listDir(tmp.path()), (std::vector<std::string>{".kolvex-index", "1.qel"}));
}

TEST_F(Rewrite, AFailureAtAnyCallLeavesTheCatalogByteIdentical) {
  const std::string old = test::readFile(path);
  TSCCDInfo h;
  CopyArchiveHeader(CatalogReader(path).header(), h);
  h.CDLabel = "NEW";
  test::FaultyFileOps counter;
  RewriteArchiveHeader(path, h, counter);
  test::writeFile(path, old);
  for (bool sticky : {false, true}) {
    for (int n = 1; n <= counter.calls(); ++n) {
      test::FaultyFileOps ops(n, sticky);
      bool ok = true;
      try {
        RewriteArchiveHeader(path, h, ops);
      } catch (const EStreamError&) {
        ok = false;
      }
      SCOPED_TRACE(n);
      EXPECT_EQ(test::listDir(tmp.path()), (std::vector<std::string>{".kolvex-index", "1.qel"}));
      if (ok) {
        CatalogReader r(path);
        EXPECT_EQ(r.header().CDLabel, "NEW");
        test::writeFile(path, old);
      } else {
        EXPECT_TRUE(test::readFile(path) == old);
      }
    }
  }
}

TEST_F(Rewrite, AMissingCatalogIsReported) {
  EXPECT_THROW(RewriteArchiveHeader(tmp.file("none.qel"), TSCCDInfo{}), EFOpenError);
  EXPECT_EQ(test::listDir(tmp.path()), std::vector<std::string>{"1.qel"});
}

}  // namespace
}  // namespace kolvex
