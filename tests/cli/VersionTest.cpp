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

}  // namespace
}  // namespace kolvex
