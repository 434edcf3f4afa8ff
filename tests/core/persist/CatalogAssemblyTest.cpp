// The header goes in front of records that were written where they stay; when it does not
// fit the room left for it the records are copied, in the kernel or, where it cannot,
// through a buffer. Every way gives the same file.
#include <gtest/gtest.h>

#include <cerrno>

#include "core/persist/CatalogReader.h"
#include "core/persist/CatalogWriter.h"
#include "support/ForwardingFileOps.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

// The real file system, except that the kernel does not copy between files.
class NoKernelCopy final : public test::ForwardingFileOps {
 public:
  ssize_t copyRange(int, std::uint64_t, int, std::uint64_t, size_t) override {
    ++refused;
    errno = EOPNOTSUPP;
    return -1;
  }
  int refused = 0;
};

TSCCDInfo headerOf(int files, const std::string& label) {
  TSCCDInfo h;
  h.CDLabel = label;
  h.BaseDir = "/media/disc/";
  h.TotalFiles = files;
  h.TotalDirectories = 0;
  return h;
}

// Writes `files` files of more than a write-back interval in all, in one folder; reserve:
// the header to leave room for, if any. Returns whether the header fitted that room.
bool save(const std::string& path, int files, const TSCCDInfo* reserve,
          FileOps& ops = posixFileOps()) {
  CatalogWriter w(path, ops);
  if (reserve) w.reserveHeader(*reserve);
  w.enterDirectory();
  TSCFileObjectInfo f;
  for (int i = 0; i < files; ++i) {
    f.clear();
    f.FileName = "file_" + std::to_string(i) + std::string(i % 40, 'n');
    f.FilePath = "X:\\";
    f.Attribute = faArchive;
    f.FileSize = i * 977LL;
    w.addFile(f);
  }
  TSCFileObjectInfo root;
  root.Attribute = faDirectory;
  root.FilesOnlyUM = root.FilesUnderMe = files;
  w.leaveDirectory(root);
  TSCCDInfo h = headerOf(files, "DISC");
  w.commit(h);
  return w.headerFitted();
}

TEST(CatalogAssembly, InPlaceCopiedInTheKernelAndThroughABufferGiveTheSameFile) {
  test::TempDir dir;
  const int files = 60000;  // about 10 MB of records
  const TSCCDInfo final = headerOf(files, "DISC");
  const TSCCDInfo longerLabel = headerOf(files, "A MUCH LONGER LABEL");

  EXPECT_TRUE(save(dir.path() + "inplace.qel", files, &final));
  EXPECT_FALSE(save(dir.path() + "unreserved.qel", files, nullptr));
  EXPECT_FALSE(save(dir.path() + "misjudged.qel", files, &longerLabel));
  NoKernelCopy noCopy;
  EXPECT_FALSE(save(dir.path() + "buffered.qel", files, &longerLabel, noCopy));
  EXPECT_GT(noCopy.refused, 0);

  const std::string expected = test::readFile(dir.path() + "inplace.qel");
  EXPECT_TRUE(expected == test::readFile(dir.path() + "unreserved.qel"));
  EXPECT_TRUE(expected == test::readFile(dir.path() + "misjudged.qel"));
  EXPECT_TRUE(expected == test::readFile(dir.path() + "buffered.qel"));

  // And it is a whole catalog: every record read back, the root last.
  CatalogReader reader(dir.path() + "inplace.qel");
  std::int64_t count = 0;
  reader.forEachInFileOrder([&](std::int64_t, const TSCFileObjectInfo&) { ++count; });
  EXPECT_EQ(count, files + 1);
  EXPECT_EQ(reader.readRoot().FilesUnderMe, files);
  // Only the finished catalog is left in the folder.
  EXPECT_EQ(test::listDir(dir.path()).size(), 4u);
}

}  // namespace
}  // namespace kolvex
