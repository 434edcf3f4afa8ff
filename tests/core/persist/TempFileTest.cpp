// Temporary files cannot outlive their writer: unnamed ones vanish even with a writer
// killed by SIGKILL, and named ones (file systems without unnamed files) stay locked while
// their writer lives, so the next scan can tell a leftover and remove it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/persist/AtomicFileWriter.h"
#include "core/persist/CatalogWriter.h"
#include "core/persist/PersistError.h"
#include "core/persist/TempFile.h"
#include "support/FaultyFileOps.h"
#include "support/ForwardingFileOps.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

// Runs body in a child that is then killed with SIGKILL, as a crash would end it.
template <class Body>
void killedWhile(Body body) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  pid_t pid = ::fork();
  if (pid == 0) {
    body();
    char c = 1;
    if (::write(ready[1], &c, 1) != 1) ::_exit(1);
    for (;;) ::pause();
  }
  char c;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  ::close(ready[0]);
  ::close(ready[1]);
}

void makeOld(const std::string& path) {
  struct timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 3600, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST(TempFiles, AWriterKilledHalfWayLeavesNothingWhereFilesCanBeUnnamed) {
  test::TempDir folder;
  if (!test::unnamedFilesWorkIn(folder.path()))
    GTEST_SKIP() << "this file system has no unnamed files; the next test covers named ones";
  killedWhile([&] {
    ::setenv("TMPDIR", folder.path().c_str(), 1);  // whatever might still go there
    // Leaked on purpose: the process is killed with both open.
    auto* out = new AtomicFileWriter(folder.file("target.qel"));
    out->stream().write(std::string(100000, 'x'));
    out->stream().flush();
    auto* records = new CatalogWriter(folder.file("c.qel"));
    TSCFileObjectInfo f;
    records->addFile(f);
  });
  EXPECT_EQ(test::listDir(folder.path()), std::vector<std::string>{});
}

TEST(TempFiles, ANamedFileOfAKilledWriterIsRemovedByTheNextSweep) {
  test::TempDir folder;
  test::FaultyFileOps named;
  named.unnamedFiles = false;
  killedWhile([&] {
    auto* out = new AtomicFileWriter(folder.file("target.qel"), named);
    out->stream().write(std::string(1000, 'x'));
    out->stream().flush();
  });
  std::vector<std::string> left = test::listDir(folder.path());
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].rfind("QE_", 0), 0u);
  // Too young to tell from a file whose writer has not locked it yet.
  EXPECT_EQ(removeStaleTempFiles(folder.path()), 0);
  makeOld(folder.file(left[0]));
  EXPECT_EQ(removeStaleTempFiles(folder.path()), 1);
  EXPECT_EQ(test::listDir(folder.path()), std::vector<std::string>{});
}

TEST(TempFiles, TheSweepLeavesFilesInUseAndOtherNamesAlone) {
  test::TempDir folder;
  test::FaultyFileOps named;
  named.unnamedFiles = false;
  AtomicFileWriter busy(folder.file("target.qel"), named);
  const std::string inUse = test::listDir(folder.path()).at(0);
  makeOld(folder.file(inUse));
  test::writeFile(folder.file("QE_notes.txt"), "x");
  test::writeFile(folder.file("catalog.tmp"), "x");
  ASSERT_EQ(::symlink("/etc/hostname", folder.file("QE_LINK0000.tmp").c_str()), 0);
  ::mkdir(folder.file("QE_DIR00000.tmp").c_str(), 0755);
  for (const char* name : {"QE_notes.txt", "catalog.tmp"}) makeOld(folder.file(name));
  EXPECT_EQ(removeStaleTempFiles(folder.path()), 0);
  EXPECT_EQ(test::listDir(folder.path()).size(), 5u);
  busy.abandon();
  EXPECT_EQ(test::listDir(folder.path()).size(), 4u);
}

TEST(TempFiles, AnUnnamedFileGetsANameOnlyToReplaceItsTarget) {
  test::TempDir folder;
  if (!test::unnamedFilesWorkIn(folder.path())) GTEST_SKIP() << "this file system has no unnamed files";
  test::writeFile(folder.file("target.qel"), "old");
  AtomicFileWriter out(folder.file("target.qel"));
  out.stream().write(std::string("new"));
  EXPECT_EQ(test::listDir(folder.path()), std::vector<std::string>{"target.qel"});
  out.commit();
  EXPECT_EQ(test::listDir(folder.path()), std::vector<std::string>{"target.qel"});
  EXPECT_EQ(test::readFile(folder.file("target.qel")), "new");
}

// A file that is only a cache replaces its target as whole as any other, without waiting
// for the disk; every other file is on the disk before it replaces its target.
TEST(TempFiles, OnlyACacheIsReplacedWithoutWaitingForTheDisk) {
  struct SyncCounter : test::ForwardingFileOps {
    int syncs = 0;
    int fsync(int fd) override { return ++syncs, ForwardingFileOps::fsync(fd); }
    int fsyncDir(const std::string& dir) override { return ++syncs, ForwardingFileOps::fsyncDir(dir); }
  };
  test::TempDir folder;
  for (Durability durability : {Durability::CacheOnly, Durability::Synced}) {
    SyncCounter ops;
    test::writeFile(folder.file("target"), "old");
    AtomicFileWriter out(folder.file("target"), ops, durability);
    out.stream().write(std::string(100000, 'n'));
    EXPECT_EQ(test::readFile(folder.file("target")), "old");
    out.commit();
    EXPECT_EQ(test::readFile(folder.file("target")), std::string(100000, 'n'));
    EXPECT_EQ(test::listDir(folder.path()), std::vector<std::string>{"target"});
    EXPECT_EQ(ops.syncs, durability == Durability::Synced ? 2 : 0);
  }
}

TEST(TempFiles, AFolderInTheTargetsPlaceIsNamedInTheError) {
  test::TempDir folder;
  ::mkdir(folder.file("target.qel").c_str(), 0755);
  AtomicFileWriter out(folder.file("target.qel"));
  out.stream().write(std::string("new"));
  try {
    out.commit();
    ADD_FAILURE();
  } catch (const EStreamError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot replace file " + folder.file("target.qel") + ": Is a directory");
  }
  EXPECT_EQ(test::listDir(folder.path()), std::vector<std::string>{"target.qel"});
}

TEST(TempFiles, AFolderThatCannotTakeTheFileNamesTheTargetInTheError) {
  test::TempDir folder;
  const std::string target = folder.file("no/such/folder/x.csv");
  try {
    AtomicFileWriter out(target);
    ADD_FAILURE();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + target + ": No such file or directory");
  }
  EXPECT_TRUE(test::listDir(folder.path()).empty());
}

}  // namespace
}  // namespace kolvex
