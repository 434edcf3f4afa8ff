// kolvex-cli dump: text and JSON output, errors and exit statuses.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CliRun.h"
#include "core/persist/ComponentWriter.h"
#include "core/persist/TSCOptions.h"
#include "support/CatalogCraft.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

using test::CliRun;

CliRun cli(std::vector<std::string> args) { return test::runCli(std::move(args)); }

class DumpCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    TSCCDInfo h;
    h.CDLabel = "MYDISC";
    h.CDDescription->lines = {"one", "two"};
    h.CDIconSmall->setBytes(std::string("\0\0\1\0\1\0", 6) + "xyz");
    test::writeCatalog(catalog, test::dir("", {test::file("a.txt", 5), test::file("caf\xC3\xA9", 1LL << 33)}), h);
  }
  test::TempDir tmp;
  std::string catalog = tmp.file("123.qel");
};

TEST_F(DumpCommand, JsonListsEveryStreamWithOffsetsPositionsAndValues) {
  CliRun r = cli({"dump", "--json", catalog});
  ASSERT_EQ(r.status, 0) << r.err;
  auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j.size(), 4u);
  EXPECT_EQ(j[0]["offset"], 0);
  EXPECT_FALSE(j[0].contains("rp"));
  EXPECT_EQ(j[0]["class"], "TSCCDInfo");
  EXPECT_EQ(j[0]["name"], "");
  auto prop = [&](const nlohmann::json& s, const std::string& path) {
    for (const auto& p : s["properties"])
      if (p["path"] == path) return p;
    return nlohmann::json();
  };
  EXPECT_EQ(prop(j[0], "CDLabel")["value"], "MYDISC");
  EXPECT_EQ(prop(j[0], "CDLabel")["code"], 6);
  EXPECT_EQ(prop(j[0], "CDDescription.Strings")["value"], nlohmann::json({"one", "two"}));
  EXPECT_EQ(prop(j[0], "CDIconSmall.Data")["value"]["length"], 9);
  EXPECT_EQ(prop(j[0], "Removable")["value"], false);
  EXPECT_EQ(j[1]["rp"], 0);
  EXPECT_EQ(prop(j[1], "FileName")["value"], "a.txt");
  EXPECT_EQ(prop(j[2], "FileName")["value"], "caf\xC3\xA9");
  EXPECT_EQ(prop(j[2], "FileName")["code"], 20);
  EXPECT_EQ(prop(j[2], "FileSize")["value"], 1LL << 33);
  EXPECT_EQ(prop(j[2], "FileSize")["code"], 19);
  EXPECT_EQ(prop(j[2], "CreateDateTime")["value"], 45000.5);
  EXPECT_EQ(j[3]["class"], "TSCFileObjectInfo");
  EXPECT_EQ(j[3]["offset"].get<std::int64_t>() - j[3]["rp"].get<std::int64_t>(),
            j[1]["offset"].get<std::int64_t>());
  // Properties come in file order.
  EXPECT_EQ(j[1]["properties"][0]["path"], "FileName");
}

TEST_F(DumpCommand, TextOutputShowsOffsetsCodesAndValues) {
  CliRun r = cli({"dump", catalog});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("@0 TSCCDInfo \"\"\n  CDLabel [6] \"MYDISC\"\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find(" rp 0 TSCFileObjectInfo"), std::string::npos);
  EXPECT_NE(r.out.find("CDIconSmall.Data [10] <9 bytes>"), std::string::npos);
  EXPECT_NE(r.out.find("CDDescription.Strings [1] (\"one\", \"two\")"), std::string::npos);
}

TEST_F(DumpCommand, OptionsFilesAreDumpedToo) {
  TSCOptions o;
  o.setFactoryValues();
  test::writeFile(tmp.file("Options.cfg"), encodeObject(o));
  CliRun r = cli({"dump", "--json", tmp.file("Options.cfg")});
  ASSERT_EQ(r.status, 0);
  auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j.size(), 1u);
  EXPECT_EQ(j[0]["class"], "TSCOptions");
  EXPECT_EQ(j[0]["properties"][0]["path"], "DescriptionFiles.Strings");
}

TEST_F(DumpCommand, UnreadableFilesAndWrongCommandLines) {
  std::string bytes = test::readFile(catalog);
  test::writeFile(tmp.file("cut.qel"), bytes.substr(0, bytes.size() - 3));
  CliRun cut = cli({"dump", tmp.file("cut.qel")});
  EXPECT_EQ(cut.status, 1);
  EXPECT_EQ(cut.out, "");
  EXPECT_NE(cut.err.find("Stream read error"), std::string::npos);

  CliRun missing = cli({"dump", tmp.file("none")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("Cannot open file " + tmp.file("none")), std::string::npos);

  EXPECT_EQ(cli({"dump"}).status, 2);
  EXPECT_EQ(cli({"dump", "--bogus", catalog}).status, 2);
  EXPECT_EQ(cli({"nosuchcommand"}).status, 2);
  CliRun help = cli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("dump"), std::string::npos);
}

}  // namespace
}  // namespace kolvex
