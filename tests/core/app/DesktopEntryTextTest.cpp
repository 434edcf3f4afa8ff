// The desktop entries the program and the build write pass the desktop's own validator.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "core/app/AutoStartEntry.h"
#include "core/app/DesktopEntryText.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

// desktop-file-validate's findings (empty when the entry is valid).
std::string validate(const std::string& path) {
  std::string out;
  FILE* p = ::popen(("desktop-file-validate '" + path + "' 2>&1").c_str(), "r");
  if (!p) return "desktop-file-validate cannot be started";
  char buf[512];
  while (std::fgets(buf, sizeof buf, p)) out += buf;
  const int status = ::pclose(p);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) out += "(exit status " + std::to_string(status) + ")";
  return out;
}

TEST(DesktopEntryText, MenuEntriesAndTheAutostartEntryAreValid) {
  test::TempDir dir;
  const std::string odd = "/home/u/my \"apps\"/$x/`a`/b\\c/100%/kolvex";
  const std::vector<std::pair<std::string, std::string>> entries = {
      {"installed.desktop", menuEntry("kolvex", "kolvex")},
      {"portable.desktop", menuEntry("/opt/Kolvex 1.0/kolvex", "/opt/Kolvex 1.0/kolvex.png")},
      {"odd.desktop", menuEntry(odd, "/home/u/kolvex.png")},
      {"autostart.desktop", AutoStartEntry::desktopEntry(odd)},
  };
  for (const auto& [name, text] : entries) {
    ASSERT_TRUE(writeDesktopEntry(dir.file(name), text));
    EXPECT_EQ(validate(dir.file(name)), "") << name << ":\n" << text;
  }
  EXPECT_NE(menuEntry(odd, "i").find("\nExec=\"/home/u/my \\\\\"apps\\\\\"/\\\\$x/"),
            std::string::npos);
}

}  // namespace
}  // namespace kolvex
