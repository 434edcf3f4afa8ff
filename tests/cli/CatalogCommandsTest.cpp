// scan, list, ls, update and modify on catalogs of real folders of this machine.
#include <gtest/gtest.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "CliRun.h"
#include "cli/ScanCommand.h"
#include "core/persist/CatalogReader.h"
#include "support/CatalogCraft.h"
#include "support/TempDir.h"

namespace kolvex::cli {
namespace {

using test::runCli;

struct Tree {
  test::TempDir dir;
  std::string root = dir.path() + "tree/";
  std::string archives = dir.path() + "archives/";
  Tree() {
    ::mkdir(root.c_str(), 0755);
    ::mkdir(archives.c_str(), 0755);
    ::mkdir((root + "docs").c_str(), 0755);
    ::mkdir((root + "docs/old").c_str(), 0755);
    ::mkdir((root + "apps").c_str(), 0755);
    test::writeFile(root + "b.txt", "bbbb");
    test::writeFile(root + "a.txt", "a");
    test::writeFile(root + "docs/old/letter.doc", "dear");
    test::writeFile(root + "docs/caf\xE9.txt", "x");
  }
  // Scans and returns the catalog's path (the first line printed).
  std::string scan(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args = {"scan", root, "--archives", archives};
    args.insert(args.end(), extra.begin(), extra.end());
    auto r = runCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out.substr(0, r.out.find('\n'));
  }
};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

std::vector<std::string> split(const std::string& line) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
    out.push_back(line.substr(start, tab - start));
  out.push_back(line.substr(start));
  return out;
}

TEST(ScanCommand, CataloguesAndPrintsThePathAndTotals) {
  Tree t;
  auto r = runCli({"scan", t.root, "--archives", t.archives});
  ASSERT_EQ(r.status, 0) << r.err;
  auto out = lines(r.out);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].rfind(t.archives, 0), 0u);
  EXPECT_TRUE(out[0].ends_with(".qel"));
  EXPECT_EQ(out[1], "4 files, 3 folders, 8 records");
  CatalogReader reader(out[0]);
  EXPECT_EQ(reader.header().BaseDir, t.root);
  EXPECT_EQ(reader.header().TotalFiles, 4);
}

TEST(ScanCommand, ReplacesOnlyWhenToldOrAnswered) {
  Tree t;
  const std::string catalog = t.scan();
  const std::string before = test::readFile(catalog);
  test::writeFile(t.root + "new.txt", "n");

  auto refused = runCli({"scan", t.root, "--archives", t.archives});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("--yes"), std::string::npos);
  EXPECT_EQ(test::readFile(catalog), before);

  auto ask = [&](const std::string& answer) {
    std::istringstream in(answer);
    ScanCommand cmd(Terminal{true, false, &in});
    CLI::App app;
    cmd.setup(*app.add_subcommand("scan"));
    std::vector<std::string> args = {t.archives, "--archives", t.root, "scan"};
    app.parse(args);
    std::ostringstream out, err;
    Io io{out, err};
    int status = cmd.run(io);
    EXPECT_NE(err.str().find("A006"), std::string::npos);  // the question, by its key
    return status;
  };
  EXPECT_EQ(ask("n\n"), 1);
  EXPECT_EQ(test::readFile(catalog), before);
  EXPECT_EQ(ask("y\n"), 0);
  EXPECT_NE(test::readFile(catalog), before);

  auto yes = runCli({"scan", t.root, "--archives", t.archives, "--yes", "--label", "My:Disc"});
  EXPECT_EQ(yes.status, 0) << yes.err;
  EXPECT_EQ(CatalogReader(catalog).header().CDLabel, "My_Disc");
}

TEST(ScanCommand, WrongInputIsReported) {
  Tree t;
  EXPECT_EQ(runCli({"scan"}).status, 2);
  EXPECT_EQ(runCli({"scan", t.root, "--bogus"}).status, 2);
  EXPECT_EQ(runCli({"scan", t.root, "--archives", t.archives, "--label", ""}).status, 2);
  auto missing = runCli({"scan", t.root + "missing", "--archives", t.archives});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("A001"), std::string::npos);
  ::mkdir((t.dir.path() + "bare").c_str(), 0755);
  auto bare = runCli({"scan", t.dir.path() + "bare", "--archives", t.archives});
  EXPECT_EQ(bare.status, 1);
  EXPECT_NE(bare.err.find("A003"), std::string::npos);
  EXPECT_NE(bare.err.find("nothing to catalog"), std::string::npos);
  EXPECT_TRUE(test::listDir(t.archives).empty());
}

TEST(ListCommand, OneLinePerCatalogWithTheManagersColumns) {
  Tree t;
  const std::string catalog = t.scan({"--label", "Disc One"});
  test::writeFile(t.archives + "broken.qel", "junk");
  auto r = runCli({"list", "--archives", t.archives});
  EXPECT_EQ(r.status, 1);  // one catalog could not be read
  EXPECT_NE(r.err.find("broken.qel"), std::string::npos);
  auto out = lines(r.out);
  ASSERT_EQ(out.size(), 1u);
  auto cols = split(out[0]);
  ASSERT_EQ(cols.size(), 6u);
  EXPECT_EQ(cols[0], "Disc One");
  EXPECT_FALSE(cols[1].empty());  // the file system
  EXPECT_FALSE(cols[2].empty());  // date and time
  EXPECT_EQ(std::to_string(CatalogReader(catalog).header().CDSize), cols[3]);
  EXPECT_EQ(cols[4], t.root);
  EXPECT_EQ(cols[5], catalog);
  ::unlink((t.archives + "broken.qel").c_str());
  EXPECT_EQ(runCli({"list", "--archives", t.archives}).status, 0);
  // A capacity the volume did not tell is said as the manager says it, not as -1.
  TSCCDInfo unknown;
  unknown.CDLabel = "Share";
  unknown.CDSize = -1;
  test::writeCatalog(t.archives + "share.qel", test::dir("", {test::file("a")}), unknown);
  auto withShare = lines(runCli({"list", "--archives", t.archives}).out);
  ASSERT_EQ(withShare.size(), 2u);
  for (const std::string& line : withShare)
    EXPECT_EQ(split(line)[3] == "unknown", split(line)[0] == "Share") << line;
  EXPECT_EQ(runCli({"list", "--archives", t.dir.path() + "none"}).status, 1);
}

TEST(LsCommand, FoldersFirstThenFilesByName) {
  Tree t;
  const std::string catalog = t.scan();
  auto root = runCli({"ls", catalog});
  ASSERT_EQ(root.status, 0) << root.err;
  auto out = lines(root.out);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(split(out[0]), (std::vector<std::string>{"--", "0", "apps/"}));
  EXPECT_EQ(split(out[1]), (std::vector<std::string>{"--", "0", "docs/"}));
  EXPECT_EQ(split(out[2])[1], "1");
  EXPECT_EQ(split(out[2])[2], "a.txt");
  EXPECT_EQ(split(out[3])[2], "b.txt");
  EXPECT_NE(split(out[3])[0], "--");

  auto old = runCli({"ls", catalog, "docs/old"});
  ASSERT_EQ(old.status, 0);
  EXPECT_EQ(split(lines(old.out)[0])[2], "letter.doc");
  auto missing = runCli({"ls", catalog, "docs/nothing"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(runCli({"ls", t.root + "a.txt"}).status, 1);  // not a catalog

  auto json = runCli({"ls", catalog, "docs", "--json"});
  ASSERT_EQ(json.status, 0);
  auto objs = lines(json.out);
  ASSERT_EQ(objs.size(), 2u);
  auto dir = nlohmann::json::parse(objs[0]);
  EXPECT_EQ(dir["name"], "old");
  EXPECT_EQ(dir["kind"], "dir");
  EXPECT_EQ(dir["path"], "X:\\docs\\");
  EXPECT_EQ(dir["attributes"], 16);
  auto file = nlohmann::json::parse(objs[1]);
  EXPECT_EQ(file["kind"], "file");
  EXPECT_EQ(file["nameBytes"], "636166e92e747874");  // "caf\xE9.txt", not UTF-8
  EXPECT_EQ(file["size"], 1);
  EXPECT_GT(file["time"].get<double>(), 40000.0);
}

TEST(UpdateCommand, RescansTheCatalogsFolder) {
  Tree t;
  const std::string catalog = t.scan();
  test::writeFile(t.root + "docs/added.txt", "new");
  auto r = runCli({"update", catalog});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("5 files"), std::string::npos);
  EXPECT_NE(runCli({"ls", catalog, "docs"}).out.find("added.txt"), std::string::npos);

  const std::string bytes = test::readFile(catalog);
  std::filesystem::remove_all(t.root);
  auto gone = runCli({"update", catalog});
  EXPECT_EQ(gone.status, 1);
  EXPECT_NE(gone.err.find("A027"), std::string::npos);
  EXPECT_EQ(test::readFile(catalog), bytes);
  EXPECT_EQ(runCli({"update", t.archives + "none.qel"}).status, 1);
  EXPECT_EQ(runCli({"update"}).status, 2);
}

// Their errors name the catalog, as ls and dump do, and say each thing once.
TEST(UpdateCommand, ErrorsNameTheCatalogOnce) {
  Tree t;
  const std::string folder = t.dir.path();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"update", folder}, {"modify", folder, "--label", "x"}}) {
    const auto r = runCli(args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("kolvex-cli: " + folder + ": ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << args[0] << ": one line\n" << r.err;
  }
  const std::string catalog = t.scan();
  std::filesystem::remove_all(t.root);
  const auto gone = runCli({"update", catalog});
  EXPECT_EQ(gone.err, "kolvex-cli: " + catalog + ": A027\n");
}

TEST(ModifyCommand, ChangesTheHeaderOnly) {
  Tree t;
  const std::string catalog = t.scan();
  CatalogReader before(catalog);
  const std::string records = test::readFile(catalog).substr(before.recordBase());
  before.close();
  test::writeFile(t.dir.path() + "about.rtf", "{\\rtf1 First\\par Second}");
  auto r = runCli({"modify", catalog, "--label", "Renamed|Disc", "--base-dir", "/media/x/DISC",
                   "--removable", "yes", "--description-file", t.dir.path() + "about.rtf"});
  ASSERT_EQ(r.status, 0) << r.err;
  CatalogReader after(catalog);
  EXPECT_EQ(after.header().CDLabel, "Renamed_Disc");
  EXPECT_EQ(after.header().BaseDir, "/media/x/DISC/");
  EXPECT_TRUE(after.header().Removable);
  EXPECT_EQ(after.header().CDDescription->lines, (std::vector<std::string>{"First", "Second"}));
  EXPECT_EQ(test::readFile(catalog).substr(after.recordBase()), records);
  after.close();

  const std::string bytes = test::readFile(catalog);
  EXPECT_EQ(runCli({"modify", catalog}).status, 2);
  EXPECT_EQ(runCli({"modify", catalog, "--removable", "maybe"}).status, 2);
  auto empty = runCli({"modify", catalog, "--label", ""});
  EXPECT_EQ(empty.status, 1);
  EXPECT_NE(empty.err.find("A018"), std::string::npos);
  EXPECT_EQ(runCli({"modify", catalog, "--description-file", t.dir.path() + "none"}).status, 1);
  EXPECT_EQ(test::readFile(catalog), bytes);
}

}  // namespace
}  // namespace kolvex::cli
