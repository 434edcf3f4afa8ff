#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/app/AppPaths.h"
#include "core/app/XdgFolders.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

using test::fileExists;
using test::readFile;
using test::TempDir;
using test::writeFile;

// An installation below a prefix: bin/ with the programs, share/kolvex/ with the
// resources, and a home folder of its own.
struct Installation {
  Installation() {
    ::mkdir(dir.file("usr").c_str(), 0755);
    ::mkdir(dir.file("usr/bin").c_str(), 0755);
    ::mkdir(dir.file("usr/share").c_str(), 0755);
    ::mkdir(dir.file("usr/share/kolvex").c_str(), 0755);
    ::mkdir(dir.file("home").c_str(), 0700);
    writeFile(dir.file("usr/share/kolvex/Default.cfg"), "TPF0 factory settings");
    writeFile(dir.file("usr/share/kolvex/IPack.ipk"), "pictures");
  }
  AppPaths paths() const {
    return AppPaths::decide(dir.file("usr/bin/"), "../share/kolvex", dir.file("home/.local/share"));
  }
  TempDir dir;
};

TEST(AppPaths, AWritableFolderWithOptionsIsPortableAndHoldsEverything) {
  TempDir dir;
  writeFile(dir.file("Options.cfg"), "TPF0");
  const AppPaths p = AppPaths::decide(dir.path(), "../share/kolvex", "/home/u/.local/share");
  EXPECT_EQ(p.mode(), AppPaths::Mode::Portable);
  for (const std::string& folder : {p.programDir(), p.resourceDir(), p.userDir()})
    EXPECT_EQ(folder, dir.path());
  EXPECT_EQ(p.optionsFile(), dir.file("Options.cfg"));
  EXPECT_EQ(p.defaultOptionsFile(), dir.file("Default.cfg"));
  EXPECT_EQ(p.interfacePackFile(), dir.file("IPack.ipk"));
  EXPECT_EQ(p.languagesDir(), dir.file("Languages/"));
  EXPECT_EQ(p.archivesDir(), dir.file("Archives/"));
  EXPECT_EQ(p.helpFile(), dir.file("Kolvex.html"));
}

TEST(AppPaths, WithoutOptionsTheResourcesComeFromShareBesideTheProgram) {
  Installation in;
  const AppPaths p = in.paths();
  EXPECT_EQ(p.mode(), AppPaths::Mode::Installed);
  EXPECT_EQ(p.programDir(), in.dir.file("usr/bin/"));
  EXPECT_EQ(p.resourceDir(), in.dir.file("usr/share/kolvex/"));  // ".." folded away
  EXPECT_EQ(p.interfacePackFile(), in.dir.file("usr/share/kolvex/IPack.ipk"));
  EXPECT_EQ(p.languagesDir(), in.dir.file("usr/share/kolvex/Languages/"));
  EXPECT_EQ(p.userDir(), in.dir.file("home/.local/share/Kolvex/"));
  EXPECT_EQ(p.optionsFile(), in.dir.file("home/.local/share/Kolvex/Options.cfg"));
  EXPECT_EQ(p.defaultOptionsFile(), in.dir.file("usr/share/kolvex/Default.cfg"));
  EXPECT_EQ(p.archivesDir(), in.dir.file("home/.local/share/Kolvex/Archives/"));
}

TEST(AppPaths, AReadOnlyFolderWithOptionsIsInstalled) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write into any folder";
  TempDir dir;
  writeFile(dir.file("Options.cfg"), "TPF0");
  writeFile(dir.file("IPack.ipk"), "pictures");
  ::chmod(dir.path().c_str(), 0555);
  const AppPaths p = AppPaths::decide(dir.path(), "../share/kolvex", "/home/u/.local/share");
  ::chmod(dir.path().c_str(), 0755);
  EXPECT_EQ(p.mode(), AppPaths::Mode::Installed);
  EXPECT_EQ(p.userDir(), "/home/u/.local/share/Kolvex/");
}

TEST(AppPaths, AFolderThatLostItsOptionsIsNoPortableOneAnyMore) {
  // Its resources are not looked for beside the program: the start-up check then refuses,
  // as it did before there were installed copies.
  TempDir dir;
  writeFile(dir.file("IPack.ipk"), "pictures");
  const AppPaths p = AppPaths::decide(dir.path(), "../share/kolvex", "/home/u/.local/share");
  EXPECT_EQ(p.mode(), AppPaths::Mode::Installed);
  EXPECT_NE(p.interfacePackFile(), dir.file("IPack.ipk"));
}

TEST(AppPaths, FirstStartMakesTheUsersFolderAndOptionsFromTheDefaults) {
  Installation in;
  const AppPaths p = in.paths();
  std::string error;
  ASSERT_TRUE(p.prepareUserFolder(error)) << error;
  EXPECT_EQ(readFile(p.optionsFile()), "TPF0 factory settings");
  struct stat st {};
  ASSERT_EQ(::stat(p.archivesDir().c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(test::listDir(p.userDir()), (std::vector<std::string>{"Archives", "Options.cfg"}));

  // The user's own settings are never replaced by the defaults.
  writeFile(p.optionsFile(), "TPF0 the user's settings");
  ASSERT_TRUE(p.prepareUserFolder(error));
  EXPECT_EQ(readFile(p.optionsFile()), "TPF0 the user's settings");
  EXPECT_EQ(test::listDir(in.dir.file("usr/share/kolvex")),
            (std::vector<std::string>{"Default.cfg", "IPack.ipk"}));
}

TEST(AppPaths, WithoutDefaultsOrHomeTheStartUpCheckHasTheLastWord) {
  Installation in;
  ::unlink(in.dir.file("usr/share/kolvex/Default.cfg").c_str());
  std::string error;
  EXPECT_TRUE(in.paths().prepareUserFolder(error));
  EXPECT_FALSE(fileExists(in.paths().optionsFile()));

  const AppPaths homeless = AppPaths::decide(in.dir.file("usr/bin/"), "../share/kolvex", "");
  EXPECT_EQ(homeless.userDir(), "");
  EXPECT_EQ(homeless.archivesDir(), "");
  EXPECT_FALSE(homeless.prepareUserFolder(error));
  EXPECT_NE(error.find("home folder"), std::string::npos);
}

TEST(AppPaths, APortableFolderGetsALauncherForItsOwnPathAndACopyGetsItsOwn) {
  TempDir dir;
  ::mkdir(dir.file("Kolvex").c_str(), 0755);
  const AppPaths first = AppPaths::portable(dir.file("Kolvex"));
  ASSERT_TRUE(first.refreshLauncher());
  const std::string text = readFile(dir.file("Kolvex/Kolvex.desktop"));
  EXPECT_NE(text.find("\nExec=\"" + dir.file("Kolvex/kolvex") + "\" %f\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("\nIcon=" + dir.file("Kolvex/kolvex.png") + "\n"), std::string::npos);

  // The folder copied elsewhere: its launcher still names the old place until it runs.
  ::mkdir(dir.file("Copy of Kolvex").c_str(), 0755);
  writeFile(dir.file("Copy of Kolvex/Kolvex.desktop"), text);
  ASSERT_TRUE(AppPaths::portable(dir.file("Copy of Kolvex")).refreshLauncher());
  const std::string copied = readFile(dir.file("Copy of Kolvex/Kolvex.desktop"));
  EXPECT_NE(copied.find("\nExec=\"" + dir.file("Copy of Kolvex/kolvex") + "\" %f\n"),
            std::string::npos)
      << copied;

  // A launcher that starts this folder's program already is the user's to edit.
  writeFile(dir.file("Kolvex/Kolvex.desktop"), text + "NoDisplay=true\n");
  ASSERT_TRUE(first.refreshLauncher());
  EXPECT_EQ(readFile(dir.file("Kolvex/Kolvex.desktop")), text + "NoDisplay=true\n");
}

TEST(AppPaths, AnInstalledCopyWritesNothingBesideItsProgram) {
  Installation in;
  EXPECT_FALSE(in.paths().refreshLauncher());
  EXPECT_TRUE(test::listDir(in.dir.file("usr/bin")).empty());
}

TEST(AppPaths, TheDescriptionNamesTheModeAndEveryFolder) {
  Installation in;
  const AppPaths p = in.paths();
  EXPECT_EQ(p.description(), "Mode: installed\nProgram: " + in.dir.file("usr/bin/") +
                                 "\nResources: " + in.dir.file("usr/share/kolvex/") +
                                 "\nUser files: " + in.dir.file("home/.local/share/Kolvex/") +
                                 "\nCatalogs: " + in.dir.file("home/.local/share/Kolvex/Archives/") +
                                 "\n");
  EXPECT_EQ(AppPaths::portable("/opt/Kolvex").description().substr(0, 32),
            "Mode: portable\nProgram: /opt/Kol");
}

TEST(XdgFolders, TheDataHomeFollowsXdgDataHomeThenHome) {
  test::ScopedEnv env;
  env.set("XDG_DATA_HOME", "/srv/data//");
  EXPECT_EQ(xdg::dataHome(), "/srv/data");
  env.set("XDG_DATA_HOME", "relative/data");  // ignored, as the rules say
  env.set("HOME", "/home/someone/");
  EXPECT_EQ(xdg::dataHome(), "/home/someone/.local/share");
  env.set("HOME", "/");
  EXPECT_EQ(xdg::dataHome(), "/.local/share");
}

}  // namespace
}  // namespace kolvex
