#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "CliRun.h"
#include "cli/VolumesCommand.h"
#include "platform/VolumeSerial.h"
#include "support/TempDir.h"

namespace kolvex::cli {
namespace {
namespace fs = std::filesystem;

class TableProbe final : public SystemProbe {
 public:
  std::int64_t capacity(const std::string& mp) override { return mp == "/" ? 1000 : -1; }
  std::optional<std::uint64_t> fileSystemId(const std::string& mp) override {
    if (mp == "/net") return std::nullopt;
    return 7;
  }
  BlockIds probeDevice(const std::string& device) override {
    if (device.ends_with("/vda"))
      return {true, "root\\disk", "a4706dab-b2e4-4639-8192-bee4c6e673f0", "ext4"};
    return {};
  }
  std::string realPath(const std::string& path) override { return path; }
  bool isDirectory(const std::string&) override { return true; }
};

test::CliRun runVolumes(const std::string& root, const std::string& args) {
  CLI::App app;
  VolumesCommand command(std::make_shared<TableProbe>(), root);
  command.setup(*app.add_subcommand(command.name(), command.description()));
  app.parse("volumes " + args, false);
  std::ostringstream out, err;
  Io io{out, err};
  const int status = command.run(io);
  return {status, out.str(), err.str()};
}

class VolumesCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir.file("proc/self"));
    test::writeFile(dir.file("proc/self/mountinfo"),
                    "1 0 254:0 / / rw - ext4 /dev/vda rw\n"
                    "2 1 0:40 / /media/u/Tab\\011Name rw - tmpfs tmpfs rw\n"
                    "3 1 0:41 / /net rw - nfs4 nas:/x rw\n"
                    "4 1 0:21 / /proc rw - proc proc rw\n");
  }
  std::string root() const { return dir.path().substr(0, dir.path().size() - 1); }
  test::TempDir dir;
};

TEST_F(VolumesCommandTest, PrintsOneTabSeparatedLinePerVolume) {
  const auto r = runVolumes(root(), "");
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "/\troot\\134disk\t2758831531\text4\t1000\tfixed\n"
            "/media/u/Tab\\011Name\t\t" +
                std::to_string(serialFromFsid(7, "tmpfs")) +
                "\ttmpfs\t-1\tramdisk\n"
                "/net\t\t0\tnfs4\t-1\tnetwork\n");
}

TEST_F(VolumesCommandTest, JsonHasOneObjectPerVolumeWithRawTexts) {
  const auto r = runVolumes(root(), "--json");
  ASSERT_EQ(r.status, kExitOk);
  const auto all = nlohmann::json::parse(r.out);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0]["mountPoint"], "/");
  EXPECT_EQ(all[0]["device"], "vda");
  EXPECT_EQ(all[0]["label"], "root\\disk");
  EXPECT_EQ(all[0]["uuid"], "a4706dab-b2e4-4639-8192-bee4c6e673f0");
  EXPECT_EQ(all[0]["serial"], 0xa4706dabu);
  EXPECT_EQ(all[0]["capacity"], 1000);
  EXPECT_EQ(all[0]["kind"], "fixed");
  EXPECT_EQ(all[1]["mountPoint"], "/media/u/Tab\tName");
  EXPECT_EQ(all[2]["source"], "nas:/x");
  EXPECT_TRUE(all[2]["serial"].is_null());
  EXPECT_EQ(all[2]["kind"], "network");
}

TEST_F(VolumesCommandTest, UnreadableMountListFailsWithItsReason) {
  fs::remove(dir.file("proc/self/mountinfo"));
  const auto r = runVolumes(root(), "");
  EXPECT_EQ(r.status, kExitFailure);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("kolvex-cli: Cannot read " + root() + "/proc/self/mountinfo"),
            std::string::npos)
      << r.err;
}

TEST(VolumesCommandLineTest, UnknownOptionIsAUsageError) {
  const auto r = test::runCli({"volumes", "--bogus"});
  EXPECT_EQ(r.status, kExitUsage);
  EXPECT_NE(r.err.find("--bogus"), std::string::npos);
  EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace kolvex::cli
