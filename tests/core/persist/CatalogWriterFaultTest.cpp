// A save that fails at any file call leaves the previous catalog byte-identical and no
// temporary file behind.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/persist/CatalogReader.h"
#include "core/persist/CatalogWriter.h"
#include "core/persist/PersistError.h"
#include "support/FaultyFileOps.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

class TmpDirOverride {
 public:
  explicit TmpDirOverride(const std::string& dir) {
    const char* old = std::getenv("TMPDIR");
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv("TMPDIR", dir.c_str(), 1);
  }
  ~TmpDirOverride() {
    if (had_)
      setenv("TMPDIR", old_.c_str(), 1);
    else
      unsetenv("TMPDIR");
  }

 private:
  bool had_ = false;
  std::string old_;
};

// Writes a catalog of `files` files in one folder through ops; true when it was committed.
bool save(const std::string& path, FileOps& ops, int files, const std::string& label) {
  try {
    CatalogWriter w(path, ops);
    w.enterDirectory();
    for (int i = 0; i < files; ++i) {
      TSCFileObjectInfo f;
      f.FileName = "file" + std::to_string(i);
      f.FilePath = "X:\\";
      f.Attribute = faArchive;
      f.FileSize = i;
      w.addFile(f);
    }
    TSCFileObjectInfo root;
    root.Attribute = faDirectory;
    root.FilesOnlyUM = root.FilesUnderMe = files;
    w.leaveDirectory(root);
    TSCCDInfo h;
    h.CDLabel = label;
    h.TotalFiles = files;
    w.commit(h);
    return true;
  } catch (const EStreamError&) {
    return false;
  }
}

TEST(CatalogWriterFaults, AFailureAtAnyCallKeepsTheOldCatalog) {
  test::TempDir archives, temp;
  TmpDirOverride tmpdir(temp.path());
  std::string path = archives.file("123.qel");
  ASSERT_TRUE(save(path, posixFileOps(), 3, "old"));
  const std::string old = test::readFile(path);

  // Enough records that the records file is flushed more than once; on a file system
  // with unnamed temporary files and on one without.
  constexpr int kFiles = 2000;
  for (bool unnamed : {true, false})
  for (bool sticky : {false, true}) {
    test::FaultyFileOps counter;
    counter.unnamedFiles = unnamed;
    ASSERT_TRUE(save(archives.file("count.qel"), counter, kFiles, "new"));
    ::unlink(archives.file("count.qel").c_str());
    const int calls = counter.calls();
    ASSERT_GT(calls, 8);
    for (int n = 1; n <= calls; ++n) {
      test::FaultyFileOps ops(n, sticky);
      ops.unnamedFiles = unnamed;
      bool ok = save(path, ops, kFiles, "new");
      SCOPED_TRACE("call " + std::to_string(n) + (sticky ? " and later" : " once") +
                   (unnamed ? "" : ", named temporary files"));
      EXPECT_EQ(test::listDir(temp.path()), std::vector<std::string>{});
      EXPECT_EQ(test::listDir(archives.path()), std::vector<std::string>{"123.qel"});
      if (ok) {
        // Only failures after the new catalog was in place may be survived.
        CatalogReader r(path);
        EXPECT_EQ(r.header().CDLabel, "new");
        EXPECT_EQ(r.header().TotalFiles, kFiles);
        ASSERT_TRUE(save(path, posixFileOps(), 3, "old"));
      } else {
        EXPECT_TRUE(test::readFile(path) == old);
      }
    }
  }
}

TEST(CatalogWriterFaults, AbandonedWritersLeaveNothingBehind) {
  test::TempDir archives, temp;
  TmpDirOverride tmpdir(temp.path());
  for (bool unnamed : {true, false}) {
    test::FaultyFileOps ops;
    ops.unnamedFiles = unnamed;
    {
      CatalogWriter w(archives.file("x.qel"), ops);
      TSCFileObjectInfo f;
      w.addFile(f);
      // The records go where they will stay: into the new file beside the catalog. An
      // unnamed one cannot be left behind even by a crash: it has no name.
      const bool none = unnamed && test::unnamedFilesWorkIn(archives.path());
      EXPECT_EQ(test::listDir(archives.path()).size(), none ? 0u : 1u);
      EXPECT_EQ(test::listDir(temp.path()), std::vector<std::string>{});
    }
    EXPECT_EQ(test::listDir(temp.path()), std::vector<std::string>{});
    EXPECT_EQ(test::listDir(archives.path()), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace kolvex
