#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "core/app/AppError.h"
#include "core/app/ProfileFile.h"
#include "core/persist/PersistError.h"
#include "support/FaultyFileOps.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

TEST(ProfileDocument, NamesIgnoreCaseAndValuesLoseBlanksAndOneQuotePair) {
  ProfileDocument doc(
      "[Strings]\n"
      "  Plain  =  two words  \n"
      "Double=\"  kept blanks  \"\n"
      "Single=' single '\n"
      "Nested=\"\"inner\"\"\n"
      "Mixed=\"not a pair'\n"
      "Lone=\"\n"
      "Empty=\n"
      "tabbed=\tx\t\n"
      "; Comment=not an entry\n"
      "NoEquals\n");
  EXPECT_EQ(doc.value("strings", "PLAIN"), "two words");
  EXPECT_EQ(doc.value("STRINGS", "double"), "  kept blanks  ");
  EXPECT_EQ(doc.value("Strings", "Single"), " single ");
  EXPECT_EQ(doc.value("Strings", "Nested"), "\"inner\"");
  EXPECT_EQ(doc.value("Strings", "Mixed"), "\"not a pair'");
  EXPECT_EQ(doc.value("Strings", "Lone"), "\"");
  EXPECT_EQ(doc.value("Strings", "Empty"), "");
  EXPECT_EQ(doc.value("Strings", "Tabbed"), "x");
  EXPECT_FALSE(doc.value("Strings", "; Comment"));
  EXPECT_FALSE(doc.value("Strings", "NoEquals"));
  EXPECT_FALSE(doc.value("Other", "Plain"));
}

TEST(ProfileDocument, FirstOfTwoSectionsOrKeysWinsAndEntriesOutsideSectionsDoNot) {
  ProfileDocument doc(
      "Loose=outside\r\n"
      "[A]\r\nKey=first\r\nkey=second\r\n"
      "[B]\r\nKey=b\r\n"
      "[a]\r\nKey=third\r\nOnlyLater=later\r\n");
  EXPECT_EQ(doc.value("A", "Key"), "first");
  EXPECT_EQ(doc.value("a", "OnlyLater"), "later");
  EXPECT_EQ(doc.value("B", "Key"), "b");
  EXPECT_FALSE(doc.value("", "Loose"));
}

TEST(ProfileDocument, ValuesAreCutTo2047CharactersNeverInsideOne) {
  std::string ascii(3000, 'x');
  std::string umlauts;
  for (int i = 0; i < 2100; ++i) umlauts += "\xC3\xA4";  // "ä", two bytes each
  ProfileDocument doc("[S]\nA=" + ascii + "\nU=" + umlauts + "\nQ=\"" + std::string(2047, 'q') +
                      "\"\n");
  EXPECT_EQ(doc.value("S", "A"), std::string(2047, 'x'));
  EXPECT_EQ(doc.value("S", "U")->size(), 2 * 2047u);
  EXPECT_EQ(doc.value("S", "Q"), std::string(2047, 'q'));
}

TEST(ProfileDocument, EightBitTextIsReadAsWindows1252) {
  ProfileDocument doc(
      "[S]\nK=Gr\xF6\xDF"
      "e \x80\n");
  EXPECT_EQ(doc.value("S", "K"),
            "Gr\xC3\xB6\xC3\x9F"
            "e \xE2\x82\xAC");
}

TEST(ProfileDocument, SetReplacesOrAddsAndKeepsEveryOtherLine) {
  const std::string original =
      "; header comment\r\n"
      "[One]\r\n"
      "a=1\r\n"
      "  B = 2\r\n"
      "\r\n"
      "[Two]\r\n"
      "junk line\r\n"
      "c=3";  // no line end at the very end
  ProfileDocument doc(original);
  doc.set("one", "b", "20");
  EXPECT_EQ(doc.text(),
            "; header comment\r\n[One]\r\na=1\r\nB=20\r\n\r\n[Two]\r\njunk line\r\nc=3");
  doc.set("One", "New", "x");
  doc.set("Two", "d", "4");
  doc.set("Three", "e", "5");
  EXPECT_EQ(doc.text(),
            "; header comment\r\n[One]\r\na=1\r\nB=20\r\nNew=x\r\n\r\n[Two]\r\njunk line\r\n"
            "c=3\r\nd=4\r\n[Three]\r\ne=5\r\n");
  EXPECT_EQ(doc.value("ONE", "new"), "x");
}

TEST(ProfileDocument, ValuesThatReadingWouldChangeAreQuotedAndReadBackExactly) {
  for (std::string v : {" lead", "trail\t", "\"quoted\"", "'single'", "\"", "a \"b\" c", ""}) {
    ProfileDocument doc;
    doc.set("S", "K", v);
    EXPECT_EQ(ProfileDocument(doc.text()).value("S", "K"), v) << v;
  }
}

TEST(ProfileDocument, RefusesWhatTheFileCannotHoldAndStaysUnchanged) {
  ProfileDocument doc("[S]\nK=v\n");
  EXPECT_THROW(doc.set("S", "K", "two\nlines"), EProfileError);
  EXPECT_THROW(doc.set("S", "K", "cr\r"), EProfileError);
  EXPECT_THROW(doc.set("S", "a=b", "v"), EProfileError);
  EXPECT_THROW(doc.set("S", " K", "v"), EProfileError);
  EXPECT_THROW(doc.set("S", "[K", "v"), EProfileError);
  EXPECT_THROW(doc.set("S]", "K", "v"), EProfileError);
  EXPECT_THROW(doc.set("", "K", "v"), EProfileError);
  EXPECT_EQ(doc.text(), "[S]\nK=v\n");
}

TEST(ProfileFile, MissingFileReadsAsEmpty) {
  TempDir dir;
  ProfileFile file(dir.file("none.ini"));
  EXPECT_FALSE(file.find("S", "K"));
  EXPECT_EQ(file.read("S", "K", "fallback"), "fallback");
  ProfileFile folder(dir.path());
  EXPECT_FALSE(folder.find("S", "K"));
}

TEST(ProfileFile, EveryLookupSeesTheFileAsItIsNow) {
  TempDir dir;
  const std::string path = dir.file("l.ini");
  ProfileFile file(path);
  writeFile(path, "[S]\nK=aaa\n");
  EXPECT_EQ(file.read("S", "K", ""), "aaa");
  writeFile(path, "[S]\nK=bbb\n");  // same size, same second
  EXPECT_EQ(file.read("S", "K", ""), "bbb");
  ::unlink(path.c_str());
  EXPECT_FALSE(file.find("S", "K"));
  writeFile(path, "[S]\nK=ccc\n");
  EXPECT_EQ(file.read("S", "K", ""), "ccc");
}

TEST(ProfileFile, AKeptTextIsDroppedWhenTheFileChangesEvenWithItsTimeStampPutBack) {
  TempDir dir;
  const std::string path = dir.file("l.ini");
  writeFile(path, "[S]\nK=old\n");
  timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), old, 0), 0);
  // The parsed text is kept only for a file whose last change is a few seconds old.
  ::usleep(3'500'000);
  ProfileFile file(path);
  EXPECT_EQ(file.read("S", "K", ""), "old");
  EXPECT_EQ(file.read("S", "K", ""), "old");
  writeFile(path, "[S]\nK=new\n");  // same size
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), old, 0), 0);
  EXPECT_EQ(file.read("S", "K", ""), "new");
}

TEST(ProfileFile, WriteCreatesTheFileAndKeepsTheRest) {
  TempDir dir;
  const std::string path = dir.file("l.ini");
  ProfileFile file(path);
  file.write("Interface", "C1", "One");
  EXPECT_EQ(readFile(path), "[Interface]\nC1=One\n");
  writeFile(path, "; mine\n[Other]\nX=1\n[Interface]\nC1=One\n");
  std::vector<ProfileEntry> entries{{"c1", "Uno"}, {"H1", "Hint"}};
  file.write("interface", entries);
  EXPECT_EQ(readFile(path), "; mine\n[Other]\nX=1\n[Interface]\nC1=Uno\nH1=Hint\n");
  EXPECT_EQ(file.read("Interface", "h1", ""), "Hint");
}

TEST(ProfileFile, FailedWriteLeavesTheFileAsItWas) {
  TempDir dir;
  const std::string path = dir.file("l.ini");
  const std::string original = "[S]\nK=v\n";
  writeFile(path, original);
  int failures = 0;
  for (int failAt = 1;; ++failAt) {
    writeFile(path, original);
    test::FaultyFileOps ops(failAt, true);
    ProfileFile file(path, ops);
    try {
      file.write("S", "K", "changed");
    } catch (const EStreamError&) {
      ++failures;
      EXPECT_EQ(readFile(path), original) << failAt;
      EXPECT_EQ(test::listDir(dir.path()), std::vector<std::string>{"l.ini"}) << failAt;
      continue;
    }
    // Success, at most with the folder sync failed after the file was in place.
    EXPECT_EQ(readFile(path), "[S]\nK=changed\n") << failAt;
    if (!ops.failed()) break;
  }
  EXPECT_GE(failures, 4);
}

TEST(ProfileFile, AnExistingFileThatCannotBeReadIsNeverReplaced) {
  TempDir dir;
  const std::string path = dir.file("l.ini");
  ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
  test::writeFile(path + "/inside", "kept");
  ProfileFile file(path);
  EXPECT_THROW(file.write("S", "K", "x"), EFOpenError);
  EXPECT_EQ(readFile(path + "/inside"), "kept");
}

}  // namespace
}  // namespace kolvex
