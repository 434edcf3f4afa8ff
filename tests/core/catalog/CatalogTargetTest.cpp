// Where a new catalog goes: names that fit the file system, a folder made when missing,
// a name taken by a folder refused up front, leftovers of killed scans swept, and a
// description longer than a catalog keeps.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "ScanRig.h"
#include "core/catalog/CatalogTarget.h"
#include "core/catalog/DescriptionText.h"
#include "core/catalog/FileNames.h"
#include "core/persist/TextCodec.h"

namespace kolvex {
namespace {

using test::makeDirs;
using test::touch;

TEST(FitFileName, LongNamesStayUniqueAndRecognisable) {
  EXPECT_EQ(FitFileName("123_Data_Sub", ".qel", 255), "123_Data_Sub.qel");
  const std::string a = "123_tmp_" + std::string(150, 'a') + "_one_" + std::string(150, 'b') + "_Leaf";
  const std::string b = "123_tmp_" + std::string(150, 'a') + "_two_" + std::string(150, 'b') + "_Leaf";
  const std::string fa = FitFileName(a, ".qel", 255), fb = FitFileName(b, ".qel", 255);
  EXPECT_NE(fa, fb);
  for (const std::string& f : {fa, fb}) {
    EXPECT_LE(f.size(), 255u);
    EXPECT_EQ(f.rfind("123_tmp_aaaa", 0), 0u) << f;
    EXPECT_TRUE(f.ends_with("_Leaf.qel")) << f;
    EXPECT_NE(f.find('~'), std::string::npos);
  }
  // The same name always gives the same file name.
  EXPECT_EQ(FitFileName(a, ".qel", 255), fa);
}

TEST(FitFileName, MultiByteCharactersAreNeverCut) {
  std::string name = "123";
  for (int i = 0; i < 200; ++i) name += "\xC3\xA9\xE6\x97\xA5";  // é and 日
  for (std::size_t limit : {255u, 254u, 253u, 100u, 41u}) {
    const std::string fitted = FitFileName(name, ".qel", limit);
    EXPECT_LE(fitted.size(), limit);
    EXPECT_TRUE(isValidUtf8(fitted)) << limit;
  }
}

TEST(CatalogTarget, AMissingFolderIsMadeAndAFolderInTheCatalogsPlaceIsRefused) {
  test::TempDir dir;
  EXPECT_EQ(PrepareCatalogFolder(dir.file("a/b/c/")), "");
  struct stat st {};
  EXPECT_EQ(::stat(dir.file("a/b/c").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  test::writeFile(dir.file("file"), "x");
  EXPECT_EQ(PrepareCatalogFolder(dir.file("file")), "The catalog folder " + dir.file("file") + " is not a folder");
  EXPECT_EQ(PrepareCatalogFolder(dir.file("file/under")),
            "The catalog folder " + dir.file("file/under") + " cannot be used: Not a directory");

  EXPECT_EQ(CatalogNameProblem(dir.file("none.qel")), "");
  EXPECT_EQ(CatalogNameProblem(dir.file("file")), "");
  EXPECT_EQ(CatalogNameProblem(dir.file("a")),
            "Cannot save the catalog as " + dir.file("a") + ": a folder has that name");
  ASSERT_EQ(::mkfifo(dir.file("pipe.qel").c_str(), 0644), 0);
  EXPECT_NE(CatalogNameProblem(dir.file("pipe.qel")).find("something that is not a file"), std::string::npos);
}

TEST(CatalogTarget, AScanIntoAFolderThatIsNotThereMakesItAndFailsEarlyForAFolderInThePlace) {
  test::ScanRig rig;
  touch(rig.disc() + "f");
  TSCCDInfo h;
  ASSERT_TRUE(rig.scanner().GetVolumeInfo(rig.disc(), h));
  const std::string missing = rig.dir.path() + "new/archives/123.qel";
  EXPECT_EQ(rig.scanner().CreateArchive(false, true, h, rig.disc(), missing).outcome, ScanOutcome::Done);
  EXPECT_TRUE(test::fileExists(missing));

  makeDirs(rig.archives() + "123.qel");
  rig.progress.statuses.clear();
  ScanResult res = rig.scanner().CreateArchive(false, true, h, rig.disc(), rig.archives() + "123.qel");
  EXPECT_EQ(res.outcome, ScanOutcome::Failed);
  EXPECT_EQ(res.reason, "Cannot save the catalog as " + rig.archives() + "123.qel: a folder has that name");
  EXPECT_TRUE(rig.progress.statuses.empty());  // refused before counting began
  EXPECT_TRUE(rig.leftovers().empty());
}

TEST(CatalogTarget, TheNextScanRemovesWhatAKilledScanLeft) {
  test::ScanRig rig;
  touch(rig.disc() + "f");
  ASSERT_EQ(rig.scan(rig.disc()).outcome, ScanOutcome::Done);
  const std::string tmp = ::getenv("TMPDIR");
  // Named leftovers of writers that are gone, in both folders, one of them too young to
  // tell from a file whose writer has just made it.
  for (const std::string& path : {tmp + "/QE_OLD00001.tmp", rig.archives() + "QE_OLD00002.tmp",
                                  rig.archives() + "QE_NEW00003.tmp"})
    test::writeFile(path, "left");
  struct timespec old[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 600, 0}};
  ::utimensat(AT_FDCWD, (tmp + "/QE_OLD00001.tmp").c_str(), old, 0);
  ::utimensat(AT_FDCWD, (rig.archives() + "QE_OLD00002.tmp").c_str(), old, 0);
  ASSERT_EQ(rig.scan(rig.disc()).outcome, ScanOutcome::Done);
  EXPECT_EQ(rig.leftovers(), std::vector<std::string>{rig.archives() + "QE_NEW00003.tmp"});
}

TEST(DescriptionFile, OneLongerThanACatalogKeepsIsCutAtALineAndSaysSo) {
  test::TempDir dir;
  std::string text;
  for (int i = 0; text.size() <= kMaxDescriptionBytes + 1000; ++i)
    text += "line " + std::to_string(i) + " \xC3\xA9t\xC3\xA9\n";
  test::writeFile(dir.file("long.txt"), text);
  auto file = LoadDescriptionFile(dir.file("long.txt"));
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->cut);
  std::size_t kept = 0;
  for (const std::string& line : file->lines) {
    EXPECT_TRUE(line.starts_with("line ") && line.ends_with("\xC3\xA9t\xC3\xA9")) << line;
    kept += line.size() + 1;
  }
  EXPECT_LE(kept, kMaxDescriptionBytes);
  EXPECT_GT(kept, kMaxDescriptionBytes - 100);
  EXPECT_NE(DescriptionCutNote(*file).find(dir.file("long.txt")), std::string::npos);

  test::writeFile(dir.file("short.txt"), "one\ntwo\n");
  auto small = LoadDescriptionFile(dir.file("short.txt"));
  ASSERT_TRUE(small);
  EXPECT_FALSE(small->cut);
  EXPECT_EQ(small->lines, (std::vector<std::string>{"one", "two"}));
}

}  // namespace
}  // namespace kolvex
