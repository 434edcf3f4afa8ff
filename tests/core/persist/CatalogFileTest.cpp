// Writing catalogs and reading them back: links, order, totals, header replacement.
#include <gtest/gtest.h>

#include "core/persist/AtomicFileWriter.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/ComponentWriter.h"
#include "core/persist/PersistError.h"
#include "support/CatalogCraft.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

using test::dir;
using test::file;

struct Seen {
  std::int64_t pos;
  std::string name;
  int depth;
};

std::vector<Seen> walk(CatalogReader& r, bool withFiles) {
  std::vector<Seen> out;
  r.walkTree([&](std::int64_t p, const TSCFileObjectInfo& rec, int d) {
    out.push_back({p, rec.FileName, d});
  }, withFiles);
  return out;
}

std::vector<std::string> names(const std::vector<Seen>& v) {
  std::vector<std::string> n;
  for (auto& s : v) n.push_back(s.name);
  return n;
}

class CatalogFile : public ::testing::Test {
 protected:
  test::TempDir tmp;
  std::string path = tmp.file("cat.qel");
};

TEST_F(CatalogFile, ChainsRunFromLastListedToFirstListedAndTheRootIsLast) {
  test::writeCatalog(path, dir("", {file("a"), dir("sub", {file("x", 7)}), file("b"), dir("e"),
                                    file("c", 300)}));
  CatalogReader r(path);
  EXPECT_EQ(r.header().TotalFiles, 4);
  EXPECT_EQ(r.header().TotalDirectories, 2);

  const TSCFileObjectInfo& root = r.readRoot();
  EXPECT_EQ(root.FileName, "");
  EXPECT_EQ(root.FilePath, "X:\\");
  EXPECT_EQ(root.BrotherRP, -1);
  EXPECT_EQ(root.FilesOnlyUM, 3);
  EXPECT_EQ(root.DirsOnlyUM, 2);
  EXPECT_EQ(root.FilesUnderMe, 4);
  EXPECT_EQ(root.DirsUnderMe, 2);
  std::int64_t rootPos = r.header().EntranceRP;
  TSCFileObjectInfo rootCopy = root;

  std::vector<std::string> dirs, files;
  r.forEachChild(
      rootPos, rootCopy, [&](std::int64_t, const TSCFileObjectInfo& d) { dirs.push_back(d.FileName); },
      [&](std::int64_t, const TSCFileObjectInfo& f) { files.push_back(f.FileName); });
  EXPECT_EQ(dirs, (std::vector<std::string>{"e", "sub"}));
  EXPECT_EQ(files, (std::vector<std::string>{"c", "b", "a"}));

  // Every record in file order: the root is the last one and the file ends there.
  std::vector<std::string> order;
  std::int64_t last = -1;
  r.forEachInFileOrder([&](std::int64_t p, const TSCFileObjectInfo& rec) {
    order.push_back(rec.FileName);
    last = p;
  });
  EXPECT_EQ(order, (std::vector<std::string>{"a", "x", "sub", "b", "e", "c", ""}));
  EXPECT_EQ(last, rootPos);
  EXPECT_EQ(r.file().position(), r.file().stream().size());
}

TEST_F(CatalogFile, FileRecordsCarryNoChildLinksAndDirectoriesStoreMinusOne) {
  test::writeCatalog(path, dir("", {file("a"), dir("empty")}));
  std::string bytes = test::readFile(path);
  CatalogReader r(path);
  std::vector<TSCFileObjectInfo> recs;
  r.forEachInFileOrder([&](std::int64_t, const TSCFileObjectInfo& rec) { recs.push_back(rec); });
  ASSERT_EQ(recs.size(), 3u);
  EXPECT_EQ(recs[0].ChildFileRP, 0);  // the file "a"
  EXPECT_EQ(recs[0].ChildDirRP, 0);
  EXPECT_EQ(recs[1].ChildFileRP, -1);  // "empty"
  EXPECT_EQ(recs[1].ChildDirRP, -1);
  EXPECT_EQ(recs[2].ChildFileRP, 0);  // the root: its one file is at position 0
  EXPECT_GT(recs[2].ChildDirRP, 0);
  EXPECT_NE(bytes.find(std::string("ChildDirRP\x02\xFF", 12)), std::string::npos);
  r.readAt(0);
  EXPECT_EQ(r.file().CurrFile->FileName, "a");
  EXPECT_EQ(r.file().CurrFile->BrotherRP, -1);
}

TEST_F(CatalogFile, ARecordAtPositionZeroIsFollowed) {
  // The first record written is an empty directory: its position 0 is omitted from the
  // stream of the link to it, and the link must still be followed.
  test::writeCatalog(path, dir("", {dir("first"), dir("second", {file("f")})}));
  CatalogReader r(path);
  auto seen = walk(r, true);
  EXPECT_EQ(names(seen), (std::vector<std::string>{"", "second", "f", "first"}));
  EXPECT_EQ(seen.back().pos, 0);
  EXPECT_EQ(seen.back().depth, 1);
  // The brother link of "second" is 0, and so is absent from its stream.
  r.readAt(seen[1].pos);
  EXPECT_EQ(r.file().CurrFile->BrotherRP, 0);
}

TEST_F(CatalogFile, AFolderOfFilesOnlyAndAnEmptyFolder) {
  test::writeCatalog(path, dir("", {file("a"), file("b")}));
  {
    CatalogReader r(path);
    const auto& root = r.readRoot();
    EXPECT_EQ(root.ChildDirRP, -1);
    EXPECT_GT(root.ChildFileRP, 0);
  }
  test::writeCatalog(path, dir(""));
  CatalogReader r(path);
  EXPECT_EQ(r.header().EntranceRP, 0);
  EXPECT_EQ(names(walk(r, true)), std::vector<std::string>{""});
}

TEST_F(CatalogFile, DeepTreesAreWalkedInLinkOrderWithDepths) {
  test::writeCatalog(path, dir("", {dir("a", {dir("b", {dir("c", {file("deep")})})}), dir("z")}));
  CatalogReader r(path);
  auto seen = walk(r, true);
  EXPECT_EQ(names(seen), (std::vector<std::string>{"", "z", "a", "b", "c", "deep"}));
  std::vector<int> depths;
  for (auto& s : seen) depths.push_back(s.depth);
  EXPECT_EQ(depths, (std::vector<int>{0, 1, 1, 2, 3, 4}));
  r.readAt(seen[4].pos);
  EXPECT_EQ(r.file().CurrFile->FilePath, "X:\\a\\b\\");
}

TEST_F(CatalogFile, ClearingBeforeEachReadForgetsThePreviousRecord) {
  TSCFileObjectInfo withIcon;
  withIcon.FileName = "icon.exe";
  withIcon.PEVersion = "1.0";
  withIcon.EXEIconSmall->setBytes(std::string("\0\0\1\0\1\0", 6) + "pixels");
  withIcon.Attribute = faArchive;
  TSCFileObjectInfo plain;
  plain.Attribute = faArchive;
  std::vector<test::Crafted> recs = {{withIcon}, {plain}};
  TSCFileObjectInfo root;
  root.Attribute = faDirectory;
  recs.push_back({root, -1, 1, -1});
  recs[1].brother = 0;
  test::writeFile(path, test::craftCatalog(recs, 2));
  CatalogReader r(path);
  r.readAt(0);
  EXPECT_FALSE(r.file().CurrFile->EXEIconSmall->empty());
  std::shared_ptr<TIcon> kept = r.file().CurrFile->EXEIconSmall;
  TTFileObjectInfo snap = snapshotOf(*r.file().CurrFile);
  auto& second = r.readAt(r.header().EntranceRP);
  r.readAt(second.ChildFileRP, r.header().EntranceRP);
  EXPECT_EQ(r.file().CurrFile->FileName, "");
  EXPECT_EQ(r.file().CurrFile->PEVersion, "");
  EXPECT_TRUE(r.file().CurrFile->EXEIconSmall->empty());
  // A snapshot keeps the icon of the record it was taken from.
  EXPECT_EQ(snap.EXEIconSmall->bytes(), kept->bytes());
  EXPECT_FALSE(snap.EXEIconSmall->empty());
}

TEST_F(CatalogFile, ReplacingTheHeaderKeepsEveryLink) {
  TSCCDInfo header;
  header.CDLabel = "MYDISC";
  header.CDDescription->lines = {"line"};
  test::writeCatalog(path, dir("", {file("a"), dir("d", {file("b")}), file("c")}), header);
  std::vector<std::string> before;
  {
    CatalogReader r(path);
    before = names(walk(r, true));
  }
  std::uint64_t oldSize = test::readFile(path).size();
  for (std::string label : {std::string(5000, 'L'), std::string("S")}) {
    std::uint64_t oldHeader, newHeader;
    std::string area;
    TSCCDInfo h;
    {
      CatalogReader r(path);
      oldHeader = r.recordBase();
      area = test::readFile(path).substr(oldHeader);
      h = r.header();
    }
    h.CDLabel = label;
    AtomicFileWriter out(path);
    writeObject(out.stream(), h);
    newHeader = out.stream().size();
    out.stream().write(area);
    out.commit();
    CatalogReader r(path);
    EXPECT_EQ(r.header().CDLabel, label);
    EXPECT_EQ(names(walk(r, true)), before);
    std::uint64_t size = test::readFile(path).size();
    EXPECT_EQ(size, oldSize - oldHeader + newHeader);
    oldSize = size;
  }
}

TEST_F(CatalogFile, OpeningAMissingCatalogNamesIt) {
  try {
    CatalogReader r(tmp.file("none.qel"));
    FAIL();
  } catch (const EStreamError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + tmp.file("none.qel"));
  }
  TQELFile f;
  f.QELFileName = tmp.file("no/such/dir.qel");
  EXPECT_THROW(f.CreateForWrite(), EFCreateError);
}

}  // namespace
}  // namespace kolvex
