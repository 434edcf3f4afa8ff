// The walk looks entries up in batches (io_uring where the kernel grants it). Its catalogs
// must be byte for byte those of one lstat after another, whatever the tree holds, and
// the scan must still work where io_uring is refused.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <iterator>

#include "ScanRig.h"
#include "core/catalog/MountPointsBelow.h"
#include "core/catalog/ScanState.h"
#include "core/catalog/TreeScanner.h"

namespace kolvex {
namespace {

using test::makeDirs;
using test::touch;

// Everything a tree can throw at the walk: folders larger than one batch and than one
// listing buffer, links of every kind, a fifo, odd and hidden names, an empty folder, a
// file over 4 GiB, a read-only file.
void makeVariedTree(const std::string& d) {
  makeDirs(d + "big");
  for (int i = 0; i < 3000; ++i)
    touch(d + "big/entry_with_a_rather_long_name_" + std::to_string(i), std::string(i % 5, 'x'));
  makeDirs(d + "deep/a/b/c/d");
  touch(d + "deep/a/b/c/d/leaf");
  touch(d + "deep/a/one");
  makeDirs(d + "empty");
  touch(d + ".hidden");
  touch(d + "back\\slash");
  touch(d + std::string("not utf8 \xff\xfe"));
  ASSERT_EQ(::symlink("deep", (d + "link-to-folder").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", (d + "dangling").c_str()), 0);
  ASSERT_EQ(::mkfifo((d + "fifo").c_str(), 0644), 0);
  int fd = ::open((d + "huge").c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, 5LL << 30), 0);
  ::close(fd);
  touch(d + "readonly");
  ::chmod((d + "readonly").c_str(), 0444);
}

// Scans the disc with the given method; the catalog's bytes, with the header's creation
// time fixed so that two scans can be compared whole.
std::string catalogBytes(test::ScanRig& rig, StatMethod method, ScanThreads threads = {},
                         const char* own = nullptr) {
  rig.context().statMethod = method;
  rig.context().threads = threads;
  TSCCDInfo header;
  EXPECT_TRUE(rig.scanner().GetVolumeInfo(rig.disc(), header));
  header.CreateDateTime = 45000.5;
  const char* name = method == StatMethod::Batched    ? "b.qel"
                     : method == StatMethod::OneByOne ? "o.qel"
                     : method == StatMethod::Ahead    ? "h.qel"
                                                      : "a.qel";
  const std::string catalog = rig.archives() + (own ? own : name);
  EXPECT_TRUE(rig.scanner().BuildArchiveFile(header, catalog, header.BaseDir))
      << rig.scanner().lastResult().reason;
  return test::readFile(catalog);
}

TEST(BatchedLookup, CatalogIsByteIdenticalToOneLookupAfterAnother) {
  test::ScanRig rig;
  makeVariedTree(rig.disc());
  const std::string oneByOne = catalogBytes(rig, StatMethod::OneByOne);
  const std::string batched = catalogBytes(rig, StatMethod::Batched);
  // The chooser's first batches go one by one, then batched: a scan of mixed methods.
  const std::string adaptive = catalogBytes(rig, StatMethod::Adaptive);
  // Looked up by a second thread ahead of the walk (one by one where there is one core).
  const std::string ahead = catalogBytes(rig, StatMethod::Ahead);
  ASSERT_GT(oneByOne.size(), 3000u * 100);
  EXPECT_TRUE(oneByOne == batched) << "the batched catalog differs";
  EXPECT_TRUE(oneByOne == adaptive) << "the catalog of chosen methods differs";
  EXPECT_TRUE(oneByOne == ahead) << "the catalog looked up ahead differs";
  // And the counting pass, which reads only listings now, agrees with the walk.
  TSCCDInfo h;
  auto all = test::readAll(rig.archives() + "b.qel", &h);
  EXPECT_EQ(h.TotalFiles + h.TotalDirectories + 1, static_cast<std::int64_t>(all.size()));
  EXPECT_EQ(rig.progress.range, h.TotalFiles + h.TotalDirectories);
}

TEST(BatchedLookup, CountingOnOneCoreOrForAColdDiskGivesTheSameRangeAndCatalog) {
  test::ScanRig rig;
  makeVariedTree(rig.disc());
  for (int i = 0; i < 40; ++i) {
    makeDirs(rig.disc() + "deep/a/s" + std::to_string(i));
    touch(rig.disc() + "deep/a/s" + std::to_string(i) + "/f");
  }
  std::string chain = rig.disc() + "chain";
  for (int i = 0; i < 300; ++i) chain += "/c";  // deeper than helpers are many
  makeDirs(chain);
  ScanThreads oneCore;
  oneCore.cores = 1;  // no thread at all: counted and looked up on the calling thread
  const std::string alone = catalogBytes(rig, StatMethod::Ahead, oneCore, "1.qel");
  const std::int64_t range = rig.progress.range;
  ScanThreads cold;
  cold.cores = 2;
  cold.alwaysCold = true;  // every helper at work, every entry looked up while counting
  cold.cold = 6;
  const std::string coldBytes = catalogBytes(rig, StatMethod::Ahead, cold, "c.qel");
  EXPECT_EQ(rig.progress.range, range);
  cold.alwaysCold = false;
  const std::string warmBytes = catalogBytes(rig, StatMethod::Ahead, cold, "w.qel");
  EXPECT_EQ(rig.progress.range, range);
  TSCCDInfo h;
  auto all = test::readAll(rig.archives() + "1.qel", &h);
  EXPECT_EQ(range, h.TotalFiles + h.TotalDirectories);
  EXPECT_GT(range, 3000 + 300 + 40);
  EXPECT_TRUE(alone == coldBytes) << "the catalog counted for a cold disk differs";
  EXPECT_TRUE(alone == warmBytes) << "the catalog counted on two cores differs";
}

// Makes io_uring_setup fail with EPERM for this process, as container runtimes do.
bool refuseIoUring() {
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_io_uring_setup, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  sock_fprog prog{static_cast<unsigned short>(std::size(filter)), filter};
  return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
         ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &prog) == 0;
}

TEST(BatchedLookup, RefusedIoUringFallsBackToOneByOne) {
  test::ScanRig rig;
  makeVariedTree(rig.disc());
  const std::string expected = catalogBytes(rig, StatMethod::OneByOne);
  const std::string catalog = rig.archives() + "b.qel";
  pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    // The child checks that the ring really is refused, then scans: exit 0 on success.
    if (!refuseIoUring()) ::_exit(2);
    NoEventPump none;
    SlicedPump pump(none);
    ScanState state;
    if (makeEntryStatter(StatMethod::Batched, pump, state.AddingCancelled)->batched()) ::_exit(3);
    std::string bytes = catalogBytes(rig, StatMethod::Batched);
    ::_exit(bytes == expected ? 0 : 4);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "2: no filter, 3: ring not refused, 4: catalogs differ";
}

TEST(BatchedLookup, MountPointsBelowAFolderFromTheMountTable) {
  test::TempDir dir;
  const std::string base = dir.path() + "disc";
  makeDirs(base + "/sub");
  char real[PATH_MAX];
  ASSERT_NE(::realpath(base.c_str(), real), nullptr);
  const std::string r = real;
  // Lines in the kernel's layout: id, parent, major:minor, root, mount point, options...
  auto line = [](const std::string& mp) {
    return "30 1 8:1 / " + mp + " rw,relatime - ext4 /dev/sda1 rw\n";
  };
  const std::string table = line("/") + line(r) + line(r + "/sub") + line(r + "/sub/in\\040it") +
                            line(r + "x") + line(r + "/other");
  auto below = MountPointsBelow(base, table);
  ASSERT_TRUE(below);
  EXPECT_EQ(*below, (std::unordered_set<std::string>{"sub", "sub/in it", "other"}));
  EXPECT_FALSE(MountPointsBelow(base + "/missing", table));
}

}  // namespace
}  // namespace kolvex
