#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include "core/app/AutoStartEntry.h"
#include "support/FaultyFileOps.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

using test::fileExists;
using test::readFile;
using test::TempDir;

TEST(AutoStartEntry, WrittenWhenSetRemovedWhenNotAndRemovingAgainIsFine) {
  TempDir dir;
  AutoStartEntry entry(dir.file("config"));
  EXPECT_EQ(entry.path(), dir.file("config/autostart/Kolvex.desktop"));
  ASSERT_TRUE(entry.apply(true, "/opt/Kolvex/kolvex"));
  std::string text = readFile(entry.path());
  EXPECT_EQ(text.find("[Desktop Entry]\n"), 0u);
  EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
  EXPECT_NE(text.find("\nExec=\"/opt/Kolvex/kolvex\" /am\n"), std::string::npos);
  struct stat st {};
  ASSERT_EQ(::stat(dir.file("config").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  ASSERT_TRUE(entry.apply(true, "/opt/Kolvex/kolvex"));  // unchanged: still one entry
  EXPECT_EQ(test::listDir(dir.file("config/autostart")),
            std::vector<std::string>{"Kolvex.desktop"});
  EXPECT_TRUE(entry.apply(false, "/opt/Kolvex/kolvex"));
  EXPECT_FALSE(fileExists(entry.path()));
  EXPECT_TRUE(entry.apply(false, "/opt/Kolvex/kolvex"));
  EXPECT_FALSE(fileExists(entry.path()));
}

TEST(AutoStartEntry, ExecQuotesThePathAsDesktopEntriesRequire) {
  std::string text = AutoStartEntry::desktopEntry("/home/u/my \"apps\"/$x/`a`/b\\c/100%/kolvex");
  // Inside the quotes '"', '`', '$' and '\' take a backslash and '%' is doubled; then the
  // string value escapes each backslash once more.
  EXPECT_NE(
      text.find("\nExec=\"/home/u/my \\\\\"apps\\\\\"/\\\\$x/\\\\`a\\\\`/b\\\\\\\\c/100%%/kolvex\" "
                "/am\n"),
      std::string::npos)
      << text;
}

TEST(AutoStartEntry, AFailedWriteKeepsTheOldEntryWholeAndLeavesNoHalfWrittenOne) {
  TempDir dir;
  AutoStartEntry plain(dir.path());
  ASSERT_TRUE(plain.apply(true, "/old/kolvex"));
  const std::string old = readFile(plain.path());
  for (int failAt = 1; failAt < 8; ++failAt) {
    test::FaultyFileOps ops(failAt, true);
    AutoStartEntry entry(dir.path(), ops);
    if (!entry.apply(true, "/new/kolvex")) {
      EXPECT_EQ(readFile(entry.path()), old) << failAt;
      EXPECT_EQ(test::listDir(dir.file("autostart")), std::vector<std::string>{"Kolvex.desktop"});
    }
  }
  EXPECT_FALSE(AutoStartEntry("").apply(true, "/x"));
  EXPECT_FALSE(plain.apply(true, "/bad/\xFF/kolvex"));
  EXPECT_EQ(readFile(plain.path()), old);
}

TEST(AutoStartEntry, TheUsersFolderFollowsXdgConfigHome) {
  test::ScopedEnv env;
  env.set("XDG_CONFIG_HOME", "/tmp/cfg/");
  EXPECT_EQ(AutoStartEntry::userConfigHome(), "/tmp/cfg");
  env.set("XDG_CONFIG_HOME", "relative/cfg");  // ignored, as the rules say
  env.set("HOME", "/home/someone");
  EXPECT_EQ(AutoStartEntry::userConfigHome(), "/home/someone/.config");
  env.unset("XDG_CONFIG_HOME");
  EXPECT_EQ(AutoStartEntry::userConfigHome(), "/home/someone/.config");
}

}  // namespace
}  // namespace kolvex
