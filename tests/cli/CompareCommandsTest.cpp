// scan --hash, dupes, diff and verify on catalogs of real folders of this machine.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "CliRun.h"
#include "core/content/CompanionStore.h"
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
    ::mkdir((root + "music").c_str(), 0755);
    test::writeFile(root + "song.ogg", std::string(4000, 's'));
    test::writeFile(root + "music/song.ogg", std::string(4000, 's'));
    test::writeFile(root + "readme", "r");
  }
  std::string scan(bool hash) {
    std::vector<std::string> args = {"scan", root, "--archives", archives, "--yes"};
    if (hash) args.push_back("--hash");
    auto r = runCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out.substr(0, r.out.find('\n'));
  }
};

TEST(CompareCommands, ScanHashWritesTheCompanionAndDupesUsesIt) {
  Tree t;
  const std::string catalog = t.scan(true);
  EXPECT_EQ(loadFingerprints(catalog).state, FingerprintLoad::State::Valid);
  auto r = runCli({"dupes", "--archives", t.archives});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("4000 bytes\t2 copies\t4000 bytes wasted\tby content\t", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\tmusic/song.ogg\t"), std::string::npos);
  auto j = runCli({"dupes", "--in", catalog, "--by", "name-size", "--json"});
  ASSERT_EQ(j.status, 0) << j.err;
  auto group = nlohmann::json::parse(j.out.substr(0, j.out.find('\n')));
  EXPECT_EQ(group["matchedBy"], "name-size");
  EXPECT_EQ(group["items"].size(), 2u);
  EXPECT_EQ(group["items"][0]["mounted"], true);
  EXPECT_EQ(runCli({"dupes", "--by", "colour", "--in", catalog}).status, 2);
}

TEST(CompareCommands, DiffExitsAsDiffDoes) {
  Tree t;
  const std::string catalog = t.scan(true);
  const std::string old = t.dir.file("old.qel");
  test::writeFile(old, test::readFile(catalog));
  test::writeFile(companionPathOf(old), test::readFile(companionPathOf(catalog)));
  EXPECT_EQ(runCli({"diff", old, catalog}).status, 0);
  ASSERT_EQ(::rename((t.root + "music").c_str(), (t.root + "tunes").c_str()), 0);
  t.scan(true);
  auto r = runCli({"diff", old, catalog});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.out.find("moved\tmusic/song.ogg -> tunes/song.ogg\t4000\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("0 added (0 bytes), 0 removed (0 bytes), 0 changed (0 bytes), 1 moved (4000 bytes)"),
            std::string::npos) << r.out;
  auto j = runCli({"diff", old, catalog, "--json"});
  EXPECT_EQ(nlohmann::json::parse(j.out.substr(0, j.out.find('\n')))["change"], "moved");
  EXPECT_EQ(runCli({"diff", old, t.dir.file("none.qel")}).status, 2);
}

TEST(CompareCommands, VerifyFindsTheMediumAndReportsCorruption) {
  Tree t;
  const std::string catalog = t.scan(true);
  auto ok = runCli({"verify", catalog});
  ASSERT_EQ(ok.status, 0) << ok.err << ok.out;
  struct stat st {};
  const std::string victim = t.root + "song.ogg";
  ::stat(victim.c_str(), &st);
  std::string bytes = test::readFile(victim);
  bytes[10] = 'X';
  test::writeFile(victim, bytes);
  struct timespec times[2] = {st.st_atim, st.st_mtim};
  ::utimensat(AT_FDCWD, victim.c_str(), times, 0);
  auto bad = runCli({"verify", catalog});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.out.find("corrupt\tsong.ogg\n"), std::string::npos) << bad.out;
  // A damaged companion is reported and not trusted: then nothing is read again.
  test::writeFile(companionPathOf(catalog), "junk");
  auto untrusted = runCli({"verify", catalog});
  EXPECT_EQ(untrusted.status, 0);
  EXPECT_NE(untrusted.err.find("ignored"), std::string::npos);
  EXPECT_EQ(runCli({"verify", t.dir.file("none.qel")}).status, 2);
}

}  // namespace
}  // namespace kolvex::cli
