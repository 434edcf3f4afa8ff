// Damaged catalogs, failing reads and calls that arrive while the explorer is busy: every
// operation ends with the model closed or at its last good state, never half busy.
#include "core/explorer/ExplorerTestFixture.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"
#include "support/FaultyFileOps.h"

namespace kolvex::test {
namespace {

TSCFileObjectInfo dirRecord(std::string name, std::int32_t files = 0) {
  TSCFileObjectInfo r;
  r.FileName = std::move(name);
  r.FilePath = "X:\\";
  r.Attribute = faDirectory;
  r.FilesOnlyUM = files;
  return r;
}

TSCFileObjectInfo fileRecord(std::string name) {
  TSCFileObjectInfo r;
  r.FileName = std::move(name);
  r.FilePath = "X:\\";
  r.Attribute = faArchive;
  r.CreateDateTime = 45000.5;
  return r;
}

Entry manyFiles(const std::string& folder, int n) {
  std::vector<Entry> files;
  for (int i = 0; i < n; ++i) files.push_back(file("file" + std::to_string(i) + ".txt", i));
  return dir(folder, files);
}

class ExplorerFailure : public ExplorerTest {
 protected:
  // The message must hold `expected`.
  void openFails(const std::string& bytes, const std::string& expected = "damaged") {
    dialogs.messages.clear();
    model.OpenArchive(writeBytes("bad.qel", bytes));
    expectClosed();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_NE(dialogs.messages[0].text.find(expected), std::string::npos) << dialogs.messages[0].text;
  }
};

TEST_F(ExplorerFailure, ADamagedTreeLeavesTheExplorerClosedWithTheMessage) {
  std::string good = write("good.qel", dir("", {dir("a")}));
  model.OpenArchive(good);
  ASSERT_TRUE(model.isOpen());
  // Root past the end of the file.
  openFails(craftCatalog({{dirRecord(""), -1, -1, -1}}, raw(1000)), "Stream read error");
  // A folder linking to itself, one linking forward, one reached from two parents.
  openFails(craftCatalog({{dirRecord(""), -1, -1, 0}}, 0));
  openFails(craftCatalog({{dirRecord("a"), 1, -1, -1}, {dirRecord(""), -1, -1, 0}}, 1));
  openFails(craftCatalog({{dirRecord("shared"), -1, -1, -1},
                          {dirRecord("p1"), -1, -1, 0},
                          {dirRecord("p2"), 1, -1, 0},
                          {dirRecord(""), -1, -1, 2}},
                         3));
  // Not a catalog at all, and an empty file.
  openFails("just some text", "Not a Kolvex file");
  openFails("", "Not a Kolvex file");
  // Links into the header, the middle of a record, and at the extremes.
  for (std::int64_t link : {std::int64_t{-20}, std::int64_t{5}, INT64_MIN, INT64_MAX})
    openFails(craftCatalog({{dirRecord("a"), -1, -1, -1}, {dirRecord(""), -1, -1, raw(link)}}, 1));
  // The explorer is usable afterwards.
  model.OpenArchive(good);
  EXPECT_TRUE(model.isOpen());
  EXPECT_EQ(model.tree().size(), 2u);
}

TEST_F(ExplorerFailure, ABrokenFileChainAnywhereKeepsTheCatalogClosed) {
  // Folder "bad" lists a file whose brother link points forward: the catalog is refused
  // when it is opened, not when "bad" is listed.
  openFails(craftCatalog({{fileRecord("x"), 1, -1, -1},
                          {fileRecord("y"), -1, -1, -1},
                          {dirRecord("bad", 2), -1, 0, -1},
                          {fileRecord("top"), -1, -1, -1},
                          {dirRecord("", 1), -1, 3, 2}},
                         4),
            "the record at 0 links to position 1");
  // The scanned folder's file chain leaves the file.
  openFails(craftCatalog({{dirRecord("fine"), -1, -1, -1},
                          {fileRecord("x"), raw(999), -1, -1},
                          {dirRecord("", 1), -1, 1, 0}},
                         2),
            "the record at ");
  // One file in the chains of two folders: shown twice, and another file never.
  openFails(craftCatalog({{fileRecord("lost"), -1, -1, -1},
                          {fileRecord("twice"), -1, -1, -1},
                          {dirRecord("a"), -1, 1, -1},
                          {dirRecord("", 1), -1, 1, 2}},
                         3),
            "links to position 1");
}

TEST_F(ExplorerFailure, AFailedStepBackPutsTheHistoryBack) {
  // Listing "bad" reads its files, and every read fails from then on.
  std::string path = write("c.qel", dir("", {dir("good"), manyFiles("bad", 3000)}));
  FaultyFileOps counting;
  {
    ExplorerModel probe(pump, dialogs, counting);
    probe.OpenArchive(path);
    ASSERT_TRUE(probe.isOpen());
  }
  FaultyFileOps ops(counting.calls() + 1, true);
  ExplorerModel m(pump, dialogs, ops);
  m.OpenArchive(path);
  ASSERT_TRUE(m.isOpen());
  ASSERT_TRUE(m.ShowFolder(*m.FindTreeNodeByPath("DISC\\good")));
  EXPECT_FALSE(m.ShowFolder(*m.FindTreeNodeByPath("DISC\\bad")));
  EXPECT_EQ(m.folderCaption(), "good");
  ASSERT_TRUE(m.GoBack());
  EXPECT_EQ(m.History().HistoryPos(), 1);
  EXPECT_EQ(m.forwardMenu().size(), 1u);
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(ExplorerFailure, ADamagedRecordAnywhereKeepsTheCatalogClosed) {
  // The damaged record is a file the tree does not need: the catalog is still refused,
  // rather than shown as if the file were not there.
  std::string path = write("c.qel", dir("", {dir("one", {file("a")}), dir("two"),
                                             dir("three", {dir("four"), file("broken-here")})}));
  std::string bytes = readFile(path);
  std::size_t name = bytes.find("broken-here");
  ASSERT_NE(name, std::string::npos);
  std::size_t sig = bytes.rfind("TPF0", name);
  bytes[sig + 3] = '1';
  openFails(bytes, "Invalid stream format");
}

TEST_F(ExplorerFailure, AReadFailureWhileListingIsReportedAndTheCatalogStaysUsable) {
  std::string path = write("c.qel", dir("", {manyFiles("big", 3000), dir("small")}));
  FaultyFileOps counting;
  int callsToOpen = 0;
  {
    ExplorerModel probe(pump, dialogs, counting);
    probe.OpenArchive(path);
    ASSERT_TRUE(probe.isOpen());
    callsToOpen = counting.calls();
  }
  FaultyFileOps ops(callsToOpen + 1, true);
  ExplorerModel m(pump, dialogs, ops);
  m.OpenArchive(path);
  ASSERT_TRUE(m.isOpen());
  ASSERT_TRUE(dialogs.messages.empty());
  EXPECT_FALSE(m.ShowFolder(*m.FindTreeNodeByPath("DISC\\big")));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(m.busy(), ExplorerBusy::Idle);
  EXPECT_EQ(m.CurrentNode(), m.tree().root());
  // Folders need no reads: the tree holds them.
  EXPECT_TRUE(m.ShowFolder(*m.FindTreeNodeByPath("DISC\\small")));
}

TEST_F(ExplorerFailure, CallsWhileListingWaitOrAreRefused) {
  std::string a = write("a.qel", dir("", {manyFiles("big", 2000), dir("other")}));
  std::string b = write("b.qel", dir("", {dir("x")}), "SECOND");
  model.setEventSlice(std::chrono::milliseconds(0));
  model.OpenArchive(a);
  const TreeNode& big = node("DISC\\big");
  const TreeNode& other = node("DISC\\other");
  std::vector<ExplorerBusy> seen;
  pump.onEvents = [&](int) {
    seen.push_back(model.busy());
    EXPECT_FALSE(model.ShowFolder(other));
    EXPECT_FALSE(model.GoBack());
    model.columnClick(3);
    if (seen.size() == 1) model.CloseArchive();
    if (seen.size() == 2) model.OpenArchive(b);  // the later request wins
    EXPECT_TRUE(model.isOpen());                 // nothing closes in the middle of a walk
  };
  EXPECT_TRUE(model.ShowFolder(big));
  pump.onEvents = nullptr;
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], ExplorerBusy::Listing);
  EXPECT_EQ(listener.lastMaximum, 2000);
  EXPECT_GT(listener.lastProgress, 0);
  EXPECT_EQ(model.label(), "SECOND");
  EXPECT_EQ(model.ArchiveFile(), b);
  EXPECT_EQ(model.SortMode(), kSortNameAsc);
  expectSettled();
}

TEST_F(ExplorerFailure, ACloseAskedForWhileTheTreeIsBuiltHappensAfterwards) {
  std::vector<Entry> folders;
  for (int i = 0; i < 300; ++i) folders.push_back(dir("d" + std::to_string(i)));
  std::string a = write("a.qel", dir("", folders));
  model.setEventSlice(std::chrono::milliseconds(0));
  bool asked = false;
  pump.onEvents = [&](int) {
    if (model.busy() != ExplorerBusy::BuildingTree || asked) return;
    asked = true;
    EXPECT_TRUE(model.tree().empty());  // the tree appears only when complete
    EXPECT_TRUE(model.closeIfShown(a));
  };
  model.OpenArchive(a);
  pump.onEvents = nullptr;
  EXPECT_TRUE(asked);
  expectClosed();
}

TEST_F(ExplorerFailure, AnErrorIsShownOnceTheModelIsSettled) {
  std::string good = write("good.qel", dir("", {dir("a")}));
  struct Checker final : Dialogs {
    ExplorerModel* model = nullptr;
    std::string good;
    std::vector<std::string> texts;
    void message(MessageKind, const std::string& text) override {
      texts.push_back(text);
      EXPECT_EQ(model->busy(), ExplorerBusy::Idle);
      model->OpenArchive(good);  // a message box runs window events
      EXPECT_TRUE(model->isOpen());
    }
    Answer ask(const std::string&, bool) override { return Answer::No; }
  } checker;
  ExplorerModel m(pump, checker);
  checker.model = &m;
  checker.good = good;
  m.OpenArchive(writeBytes("bad.qel", "junk"));
  EXPECT_EQ(checker.texts, std::vector<std::string>{msg::kNotAStream});
  EXPECT_TRUE(m.isOpen());
  EXPECT_EQ(m.ArchiveFile(), good);
}

}  // namespace
}  // namespace kolvex::test
