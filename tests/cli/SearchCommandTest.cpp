// kolvex-cli search: hits in the order found, the count, JSON lines, the choice of
// catalogs, the criteria options and the exit statuses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "core/catalog/AppDir.h"
#include "support/CatalogCraft.h"
#include "support/TempDir.h"

namespace kolvex::cli {
namespace {

using test::dir;
using test::file;

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

class SearchCommandTest : public ::testing::Test {
 protected:
  SearchCommandTest() {
    // An application folder with an English language file of its own.
    test::writeFile(app.file("Languages/English.ini"), "[ResourceStrings]\nA046=%d found\n"
                    "A088=The size range ends before it starts\nA089=The date range ends before it starts\n");
    setAppDirForTesting(app.path());
  }
  ~SearchCommandTest() override { setAppDirForTesting(""); }

  std::string add(const std::string& fileName, const std::string& label, const test::Entry& root) {
    TSCCDInfo h;
    h.CDLabel = label;
    h.BaseDir = "/media/" + label + "/";
    h.CreateDateTime = 37000.5;
    test::writeCatalog(archives.file(fileName), root, h);
    return archives.file(fileName);
  }

  test::CliRun search(std::vector<std::string> args) {
    args.insert(args.begin(), {"search", "--archives", archives.path()});
    return test::runCli(std::move(args));
  }

  struct AppFolder {
    AppFolder() { ::mkdir((tmp.path() + "Languages").c_str(), 0755); }
    std::string file(const std::string& n) const { return tmp.file(n); }
    const std::string& path() const { return tmp.path(); }
    test::TempDir tmp;
  } app;
  test::TempDir archives;
};

TEST_F(SearchCommandTest, OneLinePerHitInOrderThenTheCount) {
  add("1.qel", "Disc", dir("", {file("a.txt", 12), dir("sub", {file("b.TXT", 3)}), file("c")}));
  const test::CliRun r = search({"*.txt", "--for", "dirs,files"});
  EXPECT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(r.out,
            "file\ta.txt\tDisc\tX:\\\t12\t2023-03-15T12:00:00\n"
            "file\tb.TXT\tDisc\tX:\\sub\\\t3\t2023-03-15T12:00:00\n"
            "2 found\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(SearchCommandTest, JsonObjectsWithoutCountLine) {
  const std::string path = add("1.qel", "Disc", dir("", {file("a.txt", 12)}));
  const test::CliRun r = search({"*", "--json"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  const auto ls = lines(r.out);
  ASSERT_EQ(ls.size(), 2u);  // the catalog and its file; never the pseudo-root "X:\"
  EXPECT_EQ(nlohmann::json::parse(ls[0]), nlohmann::json::parse(R"({"kind":"catalog",
      "name":"Disc","label":"Disc","path":"/media/Disc/","size":0,"time":37000.5,"catalog":")" +
                                                                path + "\"}"));
  const auto f = nlohmann::json::parse(ls[1]);
  EXPECT_EQ(f, nlohmann::json::parse(R"({"kind":"file","name":"a.txt","label":"Disc",
      "path":"X:\\","size":12,"time":45000.5,"catalog":")" +
                                     path + "\"}"));
}

TEST_F(SearchCommandTest, NoHitExitsOne) {
  add("1.qel", "Disc", dir("", {file("a")}));
  const test::CliRun r = search({"*.zip"});
  EXPECT_EQ(r.status, kExitFailure);
  EXPECT_EQ(r.out, "0 found\n");
}

TEST_F(SearchCommandTest, WithoutLanguageFileTheKeyShowsWithTheCount) {
  setAppDirForTesting(archives.path());
  add("1.qel", "Disc", dir("", {file("a")}));
  const test::CliRun r = search({"a"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(lines(r.out).back(), "A046 [1]");
}

TEST_F(SearchCommandTest, EveryCatalogOfTheFolderByDefault) {
  add("1.qel", "One", dir("", {file("x1")}));
  add("2.QEL", "Two", dir("", {file("x2")}));
  add("3.txt", "NotACatalog", dir("", {file("x3")}));
  test::CliRun r = search({"x*", "--for", "files"});
  EXPECT_EQ(r.status, kExitOk);
  auto ls = lines(r.out);
  ASSERT_EQ(ls.size(), 3u);
  std::sort(ls.begin(), ls.end() - 1);  // the folder's own order
  EXPECT_EQ(ls[0].substr(0, 12), "file\tx1\tOne\t");
  EXPECT_EQ(ls[1].substr(0, 12), "file\tx2\tTwo\t");
}

TEST_F(SearchCommandTest, ADamagedCatalogIsNamedAndTheOthersAreStillSearched) {
  add("1.qel", "One", dir("", {file("x1")}));
  const std::string bad = add("2.qel", "Two", dir("", {file("x2")}));
  add("3.qel", "Three", dir("", {file("x3")}));
  test::writeFile(bad, test::readFile(bad).substr(0, 300));
  for (std::vector<std::string> args : {std::vector<std::string>{"x*", "--for", "files"},
                                        {"x*", "--for", "files", "--in", "Three"}}) {
    const test::CliRun r = search(args);
    EXPECT_EQ(r.status, kExitUsage);  // trouble, although hits were found
    EXPECT_NE(r.err.find(bad + ": "), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("file\tx3\t"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("x2"), std::string::npos);
  }
}

TEST_F(SearchCommandTest, ACatalogThatFailsDuringTheRunIsSkippedAndTheTotalStillComes) {
  add("1.qel", "One", dir("", {file("x1")}));
  const std::string bad = add("2.qel", "Two", dir("", {file("x2"), file("x3")}));
  add("3.qel", "Three", dir("", {file("x4")}));
  // The header reads well, so the catalog is listed; its second record is damaged.
  std::string bytes = test::readFile(bad);
  const std::size_t at = bytes.rfind("TPF0", bytes.find("FileName\x06\x02" "x3"));
  ASSERT_NE(at, std::string::npos);
  bytes[at + 3] = '1';
  test::writeFile(bad, bytes);
  const test::CliRun r = search({"x*", "--for", "files"});
  EXPECT_EQ(r.status, kExitUsage);
  EXPECT_EQ(r.err, "kolvex-cli: skipped Two (" + bad + "): Invalid stream format\n");
  auto ls = lines(r.out);
  ASSERT_EQ(ls.size(), 4u) << r.out;
  std::sort(ls.begin(), ls.end() - 1);  // the folder's own order
  EXPECT_EQ(ls[0].substr(0, 8), "file\tx1\t");
  EXPECT_EQ(ls[1].substr(0, 8), "file\tx2\t");  // found before the damage
  EXPECT_EQ(ls[2].substr(0, 8), "file\tx4\t");
  EXPECT_EQ(ls[3], "3 found");
}

TEST_F(SearchCommandTest, ARangeThatEndsBeforeItStartsIsRefused) {
  add("1.qel", "Disc", dir("", {file("a", 5)}));
  for (std::vector<std::string> args : {std::vector<std::string>{"*", "--size", "6..5"},
                                        {"*", "--date", "2023-03-16..2023-03-15"}}) {
    const test::CliRun r = search(args);
    EXPECT_EQ(r.status, kExitUsage) << args.back();
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("range ends before it starts"), std::string::npos) << r.err;
  }
}

TEST_F(SearchCommandTest, InChoosesCatalogsByLabelOrPathInTheOrderGiven) {
  add("1.qel", "One", dir("", {file("x1")}));
  const std::string two = add("2.qel", "Two", dir("", {file("x2")}));
  add("3.qel", "One", dir("", {file("x3")}));
  test::CliRun r = search({"x*", "--for", "files", "--in", two, "--in", "One"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  auto ls = lines(r.out);
  ASSERT_EQ(ls.size(), 4u);
  EXPECT_EQ(ls[0].substr(0, 8), "file\tx2\t");
  // Both catalogs labelled One, in the folder's order.
  std::sort(ls.begin() + 1, ls.begin() + 3);
  EXPECT_EQ(ls[1].substr(0, 8), "file\tx1\t");
  EXPECT_EQ(ls[2].substr(0, 8), "file\tx3\t");

  r = search({"x*", "--for", "files", "--in", "1.qel"});  // a file name in the catalog folder
  EXPECT_EQ(lines(r.out).size(), 2u);
  r = search({"x*", "--in", "Nobody"});
  EXPECT_EQ(r.status, kExitUsage);
  EXPECT_NE(r.err.find("No catalog is named Nobody"), std::string::npos);
}

TEST_F(SearchCommandTest, CriteriaOptions) {
  add("1.qel", "Disc", dir("", {file("small", 100), file("big", 3 * 1024 * 1024), dir("d")}));
  auto names = [&](std::vector<std::string> args) {
    args.insert(args.begin(), "*");
    std::string out;
    // Kind and name of each hit, then the count line.
    for (const auto& l : lines(search(args).out))
      out += l.substr(0, l.find('\t', l.find('\t') + 1)) + ";";
    return out;
  };
  EXPECT_EQ(names({"--for", "catalogs"}), "catalog\tDisc;1 found;");
  // The scanned folder's own record is no hit: the catalog stands for it.
  EXPECT_EQ(names({"--for", "dirs"}), "dir\td;1 found;");
  EXPECT_EQ(names({"--for", "files", "--size", "1KB..3mb"}), "file\tbig;1 found;");
  EXPECT_EQ(names({"--for", "files", "--size", "..100"}), "file\tsmall;1 found;");
  EXPECT_EQ(names({"--for", "files", "--attr", "hidden,system"}), "0 found;");
  EXPECT_EQ(names({"--for", "files", "--attr", "archive"}), "file\tsmall;file\tbig;2 found;");
  // The files are dated 2023-03-15 12:00; a date alone covers the whole day as TO.
  EXPECT_EQ(names({"--for", "files", "--date", "2023-03-15..2023-03-15"}),
            "file\tsmall;file\tbig;2 found;");
  EXPECT_EQ(names({"--for", "files", "--date", "2023-03-15T12:00:01.."}), "0 found;");
  EXPECT_EQ(names({"--for", "files", "--date", "..2023-03-15T12:00:00"}),
            "file\tsmall;file\tbig;2 found;");
}

TEST_F(SearchCommandTest, WrongCriteriaExitTwoWithAPointerToTheHelp) {
  add("1.qel", "Disc", dir("", {file("a")}));
  for (std::vector<std::string> bad : {std::vector<std::string>{"*", "--for", "folders"},
                                       {"*", "--attr", "any,secret"},
                                       {"*", "--date", "2023-02-30..2023-03-01"},
                                       {"*", "--date", "2023-03-01"},
                                       {"*", "--size", "1.5KB..2KB"},
                                       {"*", "--size", "1TB..2TB"},
                                       {"*", "--size", "-1122..5"},
                                       {"*", "--size", "9999999999GB..1"},
                                       {}}) {
    const test::CliRun r = search(bad);
    EXPECT_EQ(r.status, kExitUsage) << (bad.empty() ? "" : bad.back());
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Try 'kolvex-cli search --help'"), std::string::npos) << r.err;
  }
}

TEST_F(SearchCommandTest, FailedRunExitsTwoWithTheMessage) {
  const std::string path = add("1.qel", "Disc", dir("", {file("a"), file("b")}));
  test::CliRun r = search({"*;abc[", "--for", "files"});
  EXPECT_EQ(r.status, kExitOk);                 // every name matches "*" before the bad mask
  r = search({"*;abc[", "--for", "catalogs"});  // one mask for catalog names
  EXPECT_EQ(r.status, kExitUsage);
  EXPECT_NE(r.err.find("'*;abc[' is an invalid mask at (7)"), std::string::npos) << r.err;
  r = search({"*.txt;abc[", "--for", "files"});
  EXPECT_EQ(r.status, kExitUsage);
  EXPECT_NE(r.err.find("'abc[' is an invalid mask at (5)"), std::string::npos) << r.err;

  const std::string bytes = test::readFile(path);
  test::writeFile(path, bytes.substr(0, bytes.size() - 20));
  r = search({"*", "--for", "files", "--in", path});
  EXPECT_EQ(r.status, kExitUsage);
  EXPECT_EQ(r.out, "");  // the cut is seen when the catalog is opened
  EXPECT_NE(r.err.find(path + ": Stream read error"), std::string::npos) << r.err;

  r = test::runCli({"search", "*", "--archives", archives.file("missing")});
  EXPECT_EQ(r.status, kExitUsage);
  EXPECT_NE(r.err.find(archives.file("missing")), std::string::npos) << r.err;
}

}  // namespace
}  // namespace kolvex::cli
