// What the desktop program answers on a terminal before any window.
#include <gtest/gtest.h>

#include "core/app/DesktopUsage.h"

namespace kolvex {
namespace {

using Args = std::vector<std::string>;

TEST(DesktopUsage, OnlyTheFirstArgumentAsksAndOnlyInItsExactSpelling) {
  EXPECT_EQ(terminalRequest(Args{"--help"}), TerminalRequest::Usage);
  EXPECT_EQ(terminalRequest(Args{"-h", "/media/cd"}), TerminalRequest::Usage);
  EXPECT_EQ(terminalRequest(Args{"--version"}), TerminalRequest::Version);
  // The program's own command line: a folder, "/am", nothing; an option further back.
  for (const Args& args : {Args{}, Args{"/am"}, Args{"/media/cd"}, Args{"/media/cd", "--help"},
                           Args{"--HELP"}, Args{"-help"}, Args{""}})
    EXPECT_EQ(terminalRequest(args), TerminalRequest::None) << (args.empty() ? "" : args[0]);
}

TEST(DesktopUsage, TheUsageNamesWhatTheProgramTakes) {
  const std::string usage = desktopUsage();
  EXPECT_EQ(usage.rfind("Usage: kolvex [FOLDER | /am]\n", 0), 0u);
  for (const char* word : {"FOLDER", "/am", "--help", "--version", "kolvex-cli --help"})
    EXPECT_NE(usage.find(word), std::string::npos) << word;
  EXPECT_EQ(usage.back(), '\n');
}

}  // namespace
}  // namespace kolvex
