// The tool itself: its version, and what it says when the command line is wrong.
#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "core/catalog/AppDir.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

TEST(VersionFlag, NamesTheVersionTheModeAndTheFoldersWithoutACommand) {
  test::TempDir app;
  setAppDirForTesting(app.path());
  const test::CliRun r = test::runCli({"--version"});
  setAppDirForTesting("");
  EXPECT_EQ(r.status, cli::kExitOk) << r.err;
  EXPECT_EQ(r.out, "kolvex-cli " KOLVEX_VERSION "\nMode: portable\nProgram: " + app.path() +
                       "\nResources: " + app.path() + "\nUser files: " + app.path() +
                       "\nCatalogs: " + app.path() + "Archives/\n");
  EXPECT_EQ(r.err, "");
  EXPECT_NE(test::runCli({"--help"}).out.find("--version"), std::string::npos);
}

// A mistake is one line naming it and a pointer to the help, not the help itself.
TEST(UsageErrors, NameTheMistakeAndPointToTheHelp) {
  const test::CliRun unknown = test::runCli({"bogus", "x"});
  EXPECT_EQ(unknown.status, cli::kExitUsage);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err.rfind("kolvex-cli: unknown command 'bogus'; the commands are: ", 0), 0u)
      << unknown.err;
  EXPECT_NE(unknown.err.find(" search "), std::string::npos) << unknown.err;
  EXPECT_NE(unknown.err.find("Try 'kolvex-cli --help'"), std::string::npos);
  EXPECT_EQ(unknown.err.find("Usage"), std::string::npos) << unknown.err;

  const test::CliRun value = test::runCli({"search", "*", "--for", "files,cats"});
  EXPECT_EQ(value.status, cli::kExitUsage);
  EXPECT_EQ(value.out, "");
  const std::size_t firstLine = value.err.find('\n');
  ASSERT_NE(firstLine, std::string::npos);
  EXPECT_EQ(value.err.rfind("kolvex-cli search: ", 0), 0u) << value.err;
  EXPECT_NE(value.err.substr(0, firstLine).find("--for"), std::string::npos) << value.err;
  EXPECT_EQ(value.err.substr(firstLine + 1),
            "Try 'kolvex-cli search --help' for its options.\n");

  // An option the tool does not take, without a command, is named as such.
  const std::vector<std::vector<std::string>> wrong = {{"--bogus"}, {"-x"}};
  for (const std::vector<std::string>& args : wrong) {
    const test::CliRun option = test::runCli(args);
    EXPECT_EQ(option.status, cli::kExitUsage);
    EXPECT_EQ(option.err.rfind("kolvex-cli: unknown option '" + args[0] + "'", 0), 0u) << option.err;
    EXPECT_EQ(option.err.find("Usage"), std::string::npos) << option.err;
  }

  // With no command at all, the overview is what helps.
  const test::CliRun none = test::runCli({});
  EXPECT_EQ(none.status, cli::kExitUsage);
  EXPECT_NE(none.err.find("search"), std::string::npos);
  EXPECT_EQ(test::runCli({"search", "--help"}).status, cli::kExitOk);
}

}  // namespace
}  // namespace kolvex
