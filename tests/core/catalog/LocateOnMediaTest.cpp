// Finding a catalogued item again: in place, on a medium mounted elsewhere, or after
// the user inserted it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/catalog/LocateOnMedia.h"
#include "support/ScriptedSeams.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

void mkdirs(const std::string& path) {
  std::string cur;
  for (std::size_t i = 0; i < path.size(); ++i) {
    cur += path[i];
    if (path[i] == '/' || i + 1 == path.size()) ::mkdir(cur.c_str(), 0755);
  }
}

class Locate : public ::testing::Test {
 protected:
  Locate() : language("../assets/Languages", "English") {}
  Volume volume(const std::string& dir, DriveKind kind, std::uint32_t serial) {
    Volume v;
    v.mountPoint = tmp.file(dir);
    v.kind = kind;
    v.serial = serial;
    mkdirs(v.mountPoint);
    return v;
  }
  std::string locate(const std::string& stored, const std::string& base, bool removable,
                     const std::string& serial = {}) {
    MediaLocator m(dialogs, language, [this] { return volumes; });
    return m.LocateOnMedia(stored, base, "DISC", removable, serial);
  }
  test::TempDir tmp;
  test::ScriptedDialogs dialogs;
  LanguageFile language;
  std::vector<Volume> volumes;
};

TEST_F(Locate, AnItemWhereItWasCataloguedIsFoundThere) {
  mkdirs(tmp.file("disc/Data/docs"));
  test::writeFile(tmp.file("disc/Data/docs/a.txt"), "x");
  EXPECT_EQ(locate("X:\\docs\\a.txt", tmp.file("disc/Data/"), true), tmp.file("disc/Data/docs/a.txt"));
  EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(Locate, AMediumMountedElsewhereIsFoundOnVolumesOfItsClassOnly) {
  // Catalogued at /old/DISC/Data, now mounted at cdrom2; a fixed disk holds the same path.
  volumes = {volume("fixed", DriveKind::Fixed, 1), volume("cdrom2", DriveKind::CdRom, 2)};
  for (const char* where : {"fixed/Data/docs", "cdrom2/Data/docs"}) {
    mkdirs(tmp.file(where));
    test::writeFile(tmp.file(where) + "/a.txt", "x");
  }
  EXPECT_EQ(locate("X:\\docs\\a.txt", "/old/DISC/Data/", true), tmp.file("cdrom2/Data/docs/a.txt"));
  EXPECT_EQ(locate("X:\\docs\\a.txt", "/old/DISC/Data/", false), tmp.file("fixed/Data/docs/a.txt"));
  EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(Locate, TheVolumeWithTheCataloguedSerialComesFirst) {
  volumes = {volume("usb1", DriveKind::Removable, 111), volume("usb2", DriveKind::Removable, 222)};
  for (const char* where : {"usb1/docs", "usb2/docs"}) {
    mkdirs(tmp.file(where));
    test::writeFile(tmp.file(where) + "/a.txt", "x");
  }
  EXPECT_EQ(locate("X:\\docs\\a.txt", "/media/u/STICK/", true, "222"), tmp.file("usb2/docs/a.txt"));
  // The root of a catalogued volume is its mount point, but only on that volume.
  EXPECT_EQ(locate("X:\\", "/media/u/STICK/", true, "222"), tmp.file("usb2"));
}

TEST_F(Locate, CatalogsWrittenOnWindowsAreFoundByThePartAfterTheDrive) {
  volumes = {volume("cd", DriveKind::CdRom, 5)};
  mkdirs(tmp.file("cd/Data/Sub/Docs"));
  test::writeFile(tmp.file("cd/Data/Sub/Docs/r.doc"), "x");
  EXPECT_EQ(locate("X:\\Docs\\r.doc", "D:\\Data\\Sub\\", true), tmp.file("cd/Data/Sub/Docs/r.doc"));
}

TEST_F(Locate, NamesHoldingBackslashesAreFound) {
  mkdirs(tmp.file("base/we\\ird/in"));
  test::writeFile(tmp.file("base/we\\ird/in/a\\b.txt"), "x");
  EXPECT_EQ(locate("X:\\we\\ird\\in\\a\\b.txt", tmp.file("base/"), false),
            tmp.file("base/we\\ird/in/a\\b.txt"));
}

TEST_F(Locate, WhenNothingIsFoundTheUserIsAskedUntilTheyGiveUp) {
  dialogs.answers = {Answer::Yes, Answer::No};
  EXPECT_EQ(locate("X:\\gone.txt", tmp.file("base/"), true), "");
  ASSERT_EQ(dialogs.questions.size(), 2u);
  // A026 with the candidate path and the label.
  EXPECT_NE(dialogs.questions[0].find(tmp.file("base/gone.txt")), std::string::npos);
  EXPECT_NE(dialogs.questions[0].find("DISC"), std::string::npos);
}

TEST_F(Locate, InsertingTheMediumAfterTheQuestionFindsIt) {
  dialogs.answers = {Answer::Yes};
  MediaLocator m(dialogs, language, [this] {
    if (!dialogs.questions.empty() && volumes.empty()) {
      volumes = {volume("late", DriveKind::Removable, 9)};
      test::writeFile(tmp.file("late/f.txt"), "x");
    }
    return volumes;
  });
  EXPECT_EQ(m.LocateOnMedia("X:\\f.txt", "/media/x/", "L", true), tmp.file("late/f.txt"));
  EXPECT_EQ(dialogs.questions.size(), 1u);
}

}  // namespace
}  // namespace kolvex
