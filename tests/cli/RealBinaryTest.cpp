// The real kolvex-cli on what a user's machine offers it: fifos, devices, folders and
// files that hold no stream where a catalog is expected; names and masks that look like
// lists; folders that do not exist yet; names too long for a file system; kernel file
// systems; a scan killed half-way.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <regex>
#include <sstream>
#include <thread>

#include "CliProcess.h"
#include "support/CatalogCraft.h"
#include "support/TempDir.h"

namespace kolvex::test {
namespace {

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

struct Folder {
  TempDir home;
  std::string archives = home.path() + "archives/";
  std::string tmp = home.path() + "tmp/";
  Folder() {
    ::mkdir(archives.c_str(), 0755);
    ::mkdir(tmp.c_str(), 0755);
  }
  ProcessRun run(const std::vector<std::string>& args, std::string cwd = {}) {
    ProcessOptions o;
    o.env["TMPDIR"] = tmp;
    o.cwd = std::move(cwd);
    return runKolvexCli(args, o);
  }
  std::string catalog(const std::string& name) {
    writeCatalog(archives + name, test::dir("", {file("a.txt", 3), test::dir("sub", {file("b", 1)})}));
    return archives + name;
  }
};

// Every command that opens a catalog, each with the exit status it gives for a file it
// cannot read.
std::vector<std::pair<std::vector<std::string>, int>> readingCommands(const std::string& path) {
  return {{{"ls", path}, 1},
          {{"ls", path, "--json"}, 1},
          {{"dump", path}, 1},
          {{"dump", "--json", path}, 1},
          {{"search", "*", "--in", path}, 2},
          {{"update", path}, 1},
          {{"modify", path, "--label", "x"}, 1}};
}

TEST(RealCli, FifosDevicesAndFoldersAreRefusedWithoutWaiting) {
  Folder f;
  const std::string fifo = f.archives + "f.qel";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  for (const std::string& path : {fifo, std::string("/dev/null"), std::string("/dev/zero"),
                                  std::string("/dev/urandom"), f.home.path() + "tmp"}) {
    for (const auto& [args, status] : readingCommands(path)) {
      const ProcessRun r = f.run(args);
      SCOPED_TRACE(args[0] + " " + path);
      EXPECT_FALSE(r.timedOut);
      EXPECT_EQ(r.status, status) << r.err;
      EXPECT_TRUE(contains(r.err, "Cannot open file " + path + ": it is not a regular file")) << r.err;
      EXPECT_EQ(r.out, "");
    }
  }
  // The catalog folder's listing names the fifo and still lists the good catalog.
  f.catalog("good.qel");
  const ProcessRun list = f.run({"list", "--archives", f.archives});
  EXPECT_FALSE(list.timedOut);
  EXPECT_EQ(list.status, 1);
  EXPECT_TRUE(contains(list.err, "f.qel: Cannot open file")) << list.err;
  EXPECT_EQ(lines(list.out).size(), 1u);
}

TEST(RealCli, AFileWithoutAStreamGetsTheSameErrorFromEveryCommand) {
  Folder f;
  std::string random;
  for (int i = 0; i < 5000; ++i) random += static_cast<char>((i * 7919 + 13) % 251);
  for (const auto& [name, bytes] : {std::pair<std::string, std::string>{"empty.qel", ""},
                                    {"zeros.qel", std::string(4096, '\0')},
                                    {"noise.qel", random}}) {
    const std::string path = f.archives + name;
    writeFile(path, bytes);
    for (const auto& [args, status] : readingCommands(path)) {
      const ProcessRun r = f.run(args);
      SCOPED_TRACE(args[0] + " " + name);
      EXPECT_EQ(r.status, status) << r.err;
      EXPECT_TRUE(contains(r.err, "Not a Kolvex file: it is empty or does not begin with a stream"))
          << r.err;
      EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(readFile(path), bytes);
  }
}

TEST(RealCli, ArgumentsThatLookLikeListsArePassedAsWritten) {
  Folder f;
  ProcessRun r = f.run({"match", "--", "*", "[]", "[a,b]", "{}", "a"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "yes\t[]\nyes\t[a,b]\nyes\t{}\nyes\ta\n");
  r = f.run({"match", "--", "x", "[]", "a"});
  EXPECT_EQ(r.out, "no\t[]\nno\ta\n");
  // A catalog whose file name looks like a list, named relative to the working folder.
  f.catalog("[c]");
  r = f.run({"search", "*", "--for", "files", "--in", "[c]"}, f.archives);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(lines(r.out).size(), 3u) << r.out;  // two files and the count
  // --in is given once per catalog.
  r = f.run({"search", "*", "--in", "[c]", "[c]"}, f.archives);
  EXPECT_EQ(r.status, 2);
}

TEST(RealCli, TextOutputDatesAreIso8601AndFoldersHaveNone) {
  Folder f;
  const std::string catalog = f.catalog("c.qel");
  const std::regex iso(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d)");
  const ProcessRun ls = f.run({"ls", catalog});
  ASSERT_EQ(ls.status, 0) << ls.err;
  EXPECT_EQ(lines(ls.out)[0], "--\t0\tsub/");
  EXPECT_TRUE(std::regex_match(lines(ls.out)[1].substr(0, 19), iso)) << ls.out;
  const ProcessRun search = f.run({"search", "*", "--in", catalog});
  ASSERT_EQ(search.status, 0) << search.err;
  for (const std::string& line : lines(search.out)) {
    if (line.rfind("dir\t", 0) == 0) {
      EXPECT_TRUE(line.ends_with("\t--")) << line;
    } else if (line.rfind("file\t", 0) == 0) {
      EXPECT_TRUE(std::regex_match(line.substr(line.rfind('\t') + 1), iso)) << line;
    }
  }
  const ProcessRun list = f.run({"list", "--archives", f.archives});
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_TRUE(contains(list.out, "\t1899-12-30T00:00:00\t")) << list.out;  // no date stored
}

struct Tree : Folder {
  std::string root = home.path() + "tree/";
  Tree() {
    ::mkdir(root.c_str(), 0755);
    writeFile(root + "a.txt", "a");
  }
  // The catalog's path, the first line a scan prints.
  std::string scan(const std::string& path, const std::string& archivesDir, int expected = 0) {
    const ProcessRun r = run({"scan", path, "--archives", archivesDir, "--yes"});
    EXPECT_EQ(r.status, expected) << r.err;
    return lines(r.out).empty() ? std::string() : lines(r.out)[0];
  }
};

TEST(RealCli, AMissingCatalogFolderIsMade) {
  Tree t;
  const std::string archives = t.home.path() + "new/deeper/";
  const std::string catalog = t.scan(t.root, archives);
  EXPECT_EQ(catalog.rfind(archives, 0), 0u) << catalog;
  EXPECT_TRUE(fileExists(catalog));
}

TEST(RealCli, OverLongCatalogNamesAreShortenedUniquelyAndRecognisably) {
  Tree t;
  // Two folders whose paths differ only in the middle, each far deeper than a name holds.
  const std::string level(100, 'x');
  std::vector<std::string> leaves;
  for (const char* middle : {"one", "two"}) {
    std::string path = t.root + level + "/" + middle + level + "/" + level;
    for (const std::string& part : {t.root + level, t.root + level + "/" + middle + level, path})
      ::mkdir(part.c_str(), 0755);
    writeFile(path + "/leaf.txt", "x");
    leaves.push_back(path);
  }
  std::vector<std::string> names;
  for (const std::string& leaf : leaves) {
    const std::string catalog = t.scan(leaf, t.archives);
    ASSERT_FALSE(catalog.empty());
    const std::string name = catalog.substr(t.archives.size());
    EXPECT_LE(name.size(), 255u) << name;
    EXPECT_TRUE(name.ends_with(level + ".qel")) << name;  // the last folder, whole
    EXPECT_TRUE(contains(name, "_tmp_")) << name;          // the start of the path
    EXPECT_TRUE(contains(name, "~")) << name;
    const ProcessRun ls = t.run({"ls", catalog});
    EXPECT_TRUE(std::regex_match(ls.out, std::regex(R"(\d{4}-\d\d-\d\dT[0-9:]{8}\t1\tleaf\.txt\n)")))
        << ls.out;
    names.push_back(name);
  }
  EXPECT_NE(names[0], names[1]);
  // The two catalogs and the hidden folder of their search indexes.
  EXPECT_EQ(listDir(t.archives).size(), 3u);
}

TEST(RealCli, AFolderInTheCatalogsPlaceIsNamedAsTheReason) {
  Tree t;
  const std::string catalog = t.scan(t.root, t.archives);
  ASSERT_EQ(::unlink(catalog.c_str()), 0);
  ASSERT_EQ(::mkdir(catalog.c_str(), 0755), 0);
  const ProcessRun r = t.run({"scan", t.root, "--archives", t.archives, "--yes"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.err, "Cannot save the catalog as " + catalog + ": a folder has that name"))
      << r.err;
  // The folder and the hidden folder of search indexes that the first scan made.
  EXPECT_EQ(listDir(t.archives).size(), 2u);
  EXPECT_TRUE(listDir(t.tmp).empty());
}

TEST(RealCli, KernelFileSystemsAreNoVolumes) {
  Folder f;
  for (const auto& [path, fs] : {std::pair<std::string, std::string>{"/proc/self", "proc"},
                                 {"/sys/kernel", "sysfs"}}) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) continue;  // not mounted here
    const ProcessRun r = f.run({"scan", path, "--archives", f.archives, "--yes"});
    EXPECT_EQ(r.status, 1) << path;
    EXPECT_TRUE(contains(r.err, "(" + fs + "), a file system of the kernel")) << r.err;
    EXPECT_TRUE(listDir(f.archives).empty());
  }
}

TEST(RealCli, ADescriptionLongerThanACatalogKeepsIsRefusedOrReported) {
  Tree t;
  std::string text;
  while (text.size() <= 5u << 20) text += "a line of the description \xC3\xA9t\xC3\xA9\n";
  writeFile(t.home.path() + "long.txt", text);
  const std::string catalog = t.scan(t.root, t.archives);
  const std::string before = readFile(catalog);
  ProcessRun r = t.run({"modify", catalog, "--description-file", t.home.path() + "long.txt"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.err, "longer than 4 MiB")) << r.err;
  EXPECT_TRUE(contains(r.err, "nothing was changed")) << r.err;
  EXPECT_EQ(readFile(catalog), before);
  // A scan keeps what fits and says so.
  writeFile(t.root + "Readme.txt", text);
  r = t.run({"scan", t.root, "--archives", t.archives, "--yes"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(contains(r.err, "warning: The description file " + t.root + "Readme.txt")) << r.err;
}

// The descriptors of a process that name files without a name (O_TMPFILE) in a folder.
bool holdsUnnamedFileIn(pid_t pid, const std::string& folder) {
  const std::string fds = "/proc/" + std::to_string(pid) + "/fd/";
  for (const std::string& fd : listDir(fds)) {
    char target[4096];
    ssize_t n = ::readlink((fds + fd).c_str(), target, sizeof target - 1);
    if (n <= 0) continue;
    const std::string t(target, static_cast<std::size_t>(n));
    if (t.rfind(folder, 0) == 0 && t.ends_with(" (deleted)")) return true;
  }
  return false;
}

TEST(RealCli, AScanKilledHalfWayLeavesNoTemporaryFile) {
  Tree t;
  // Enough entries that the scan is caught while it writes.
  for (int d = 0; d < 300; ++d) {
    const std::string folder = t.root + "d" + std::to_string(d) + "/";
    ::mkdir(folder.c_str(), 0755);
    for (int i = 0; i < 100; ++i) writeFile(folder + "f" + std::to_string(i), "");
  }
  // The records are written where they stay: into the new catalog's file beside it.
  const std::string archives = t.archives.substr(0, t.archives.size() - 1);
  const bool unnamed = unnamedFilesWorkIn(archives);
  ProcessOptions o;
  o.env["TMPDIR"] = t.tmp;
  RunningCli scan({"scan", t.root, "--archives", t.archives, "--yes"}, o);
  auto writing = [&] {
    return unnamed ? holdsUnnamedFileIn(scan.pid(), archives) : !listDir(t.archives).empty();
  };
  bool caught = false;
  while (!scan.ended() && !(caught = writing()))
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  ASSERT_TRUE(caught) << "the scan ended before its temporary file was seen";
  scan.killHard();
  EXPECT_TRUE(listDir(t.tmp).empty());
  if (unnamed) {
    EXPECT_TRUE(listDir(t.archives).empty());
    return;
  }
  // Where files need names, the next scan removes what the killed one left.
  ASSERT_EQ(listDir(t.archives).size(), 1u);
  const std::string left = t.archives + listDir(t.archives)[0];
  struct timespec old[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 600, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, left.c_str(), old, 0), 0);
  const std::string catalog = t.scan(t.root, t.archives);
  ASSERT_FALSE(catalog.empty());
  EXPECT_EQ(listDir(t.archives), std::vector<std::string>{catalog.substr(t.archives.size())});
  EXPECT_TRUE(listDir(t.tmp).empty());
}

}  // namespace
}  // namespace kolvex::test
