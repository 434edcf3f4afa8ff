// Opening catalogs, the folder tree, showing folders, Up and the history.
#include <unistd.h>

#include "core/explorer/ExplorerTestFixture.h"
#include "core/persist/CatalogWriter.h"

namespace kolvex::test {
namespace {

Entry games() {
  return dir("", {dir("Games", {dir("Sub", {file("save.dat", 7)}), file("setup.exe", 100)}),
                  dir("Docs", {file("a.txt")}), file("readme.txt", 5)});
}

// Eight folders below the root, f1 .. f8.
Entry eightFolders() {
  std::vector<Entry> folders;
  for (int i = 1; i <= 8; ++i) folders.push_back(dir("f" + std::to_string(i)));
  return dir("", folders);
}

std::vector<std::string> captions(const std::vector<HistoryMenuItem>& items) {
  std::vector<std::string> out;
  for (const auto& i : items) out.push_back(i.caption + ":" + std::to_string(i.steps));
  return out;
}

TEST_F(ExplorerTest, OpeningBuildsTheWholeTreeInLinkOrderAndShowsTheRoot) {
  model.OpenArchive(write("c.qel", games()));
  ASSERT_TRUE(model.isOpen());
  expectSettled();
  const TreeNode* root = model.tree().root();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->text, "DISC");
  ASSERT_EQ(root->children.size(), 2u);
  // Chains run from the last-listed entry back to the first.
  EXPECT_EQ(root->children[0]->text, "Docs");
  EXPECT_EQ(root->children[1]->text, "Games");
  EXPECT_EQ(root->children[1]->row, 1);
  EXPECT_EQ(root->children[1]->children[0]->text, "Sub");
  EXPECT_EQ(model.tree().size(), 4u);  // files never become nodes

  EXPECT_EQ(model.CurrentNode(), root);
  EXPECT_EQ(model.Address(), "DISC\\");
  EXPECT_EQ(model.folderCaption(), "DISC");
  EXPECT_EQ(model.SortMode(), kSortNameAsc);
  EXPECT_EQ(names(), (std::vector<std::string>{"Docs", "Games", "readme.txt"}));
  EXPECT_EQ(model.status().dirs, 2);
  EXPECT_EQ(model.status().files, 1);
  EXPECT_EQ(model.History().HistoryPos(), 1);
  // Folder entries are folders by their time stamp and lead to their node.
  const FolderEntry& games = model.entries()[1];
  EXPECT_TRUE(games.isFolder());
  EXPECT_EQ(games.record.FileSize, 0);
  EXPECT_EQ(model.folderNodeOf(games), root->children[1]);
  EXPECT_EQ(model.folderNodeOf(model.entries()[2]), nullptr);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ExplorerTest, TheTreeListsFoldersByNameAsPeopleReadThem) {
  // Chains run from the last-listed entry back to the first: the link order is the
  // reverse of this one.
  model.OpenArchive(write("c.qel", dir("", {dir("disc 10"), dir("Disc 9"), dir("b"), dir("B"),
                                            dir("a", {dir("z"), dir("Y")})})));
  const TreeNode* root = model.tree().root();
  ASSERT_NE(root, nullptr);
  std::vector<std::string> texts;
  for (const TreeNode* child : root->children) texts.push_back(child->text);
  EXPECT_EQ(texts, (std::vector<std::string>{"a", "B", "b", "Disc 9", "disc 10"}));
  for (std::size_t i = 0; i < root->children.size(); ++i)
    EXPECT_EQ(root->children[i]->row, static_cast<int>(i));
  EXPECT_EQ(root->children[0]->children[0]->text, "Y");
  // Lookups still tell names apart by their exact text.
  EXPECT_EQ(&node("DISC\\b"), root->children[2]);
  EXPECT_EQ(&node("DISC\\a\\z"), root->children[0]->children[1]);
}

TEST_F(ExplorerTest, AddressesAndUp) {
  model.OpenArchive(write("c.qel", games()));
  EXPECT_FALSE(model.navButtons().up);
  EXPECT_FALSE(model.GoUp());
  show("DISC\\Games\\Sub");
  EXPECT_EQ(model.Address(), "DISC\\Games\\Sub");
  EXPECT_EQ(model.folderCaption(), "Sub");
  EXPECT_EQ(names(), std::vector<std::string>{"save.dat"});
  EXPECT_TRUE(model.navButtons().up);
  ASSERT_TRUE(model.GoUp());
  EXPECT_EQ(model.Address(), "DISC\\Games");
  EXPECT_EQ(names(), (std::vector<std::string>{"Sub", "setup.exe"}));
  ASSERT_TRUE(model.GoUp());
  EXPECT_EQ(model.CurrentNode(), model.tree().root());
  EXPECT_FALSE(model.navButtons().up);
  // Up is a step in the history like any other.
  EXPECT_EQ(model.History().HistoryPos(), 4);
}

TEST_F(ExplorerTest, EmptyRootShowsAnEmptyListAndNoNavigation) {
  model.OpenArchive(write("c.qel", dir("")));
  ASSERT_TRUE(model.isOpen());
  EXPECT_EQ(model.tree().size(), 1u);
  EXPECT_TRUE(model.entries().empty());
  EXPECT_TRUE(model.status().shown);
  EXPECT_EQ(model.status().dirs, 0);
  EXPECT_EQ(model.status().files, 0);
  EXPECT_FALSE(model.navButtons().back || model.navButtons().forward || model.navButtons().up);
}

TEST_F(ExplorerTest, EmptyLabelAndCaseDifferentSiblings) {
  model.OpenArchive(
      write("c.qel", dir("", {dir("data", {file("lower")}), dir("Data", {file("upper")})}), ""));
  EXPECT_EQ(model.Address(), "\\");
  EXPECT_EQ(model.folderCaption(), "");
  show("\\Data");
  EXPECT_EQ(model.Address(), "\\Data");
  EXPECT_EQ(names(), std::vector<std::string>{"upper"});
  show("\\data\\");
  EXPECT_EQ(names(), std::vector<std::string>{"lower"});
  // The first component is never compared.
  EXPECT_EQ(model.FindTreeNodeByPath("anything\\Data"), model.FindTreeNodeByPath("\\Data"));
}

TEST_F(ExplorerTest, FindTreeNodeByPathSkipsComponentsThatNameNoChild) {
  model.OpenArchive(write("c.qel", games()));
  const TreeNode* root = model.tree().root();
  const TreeNode* sub = model.FindTreeNodeByPath("DISC\\Games\\Sub");
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->text, "Sub");
  EXPECT_EQ(model.FindTreeNodeByPath("DISC\\Nope\\Games\\Sub\\"), sub);
  EXPECT_EQ(model.FindTreeNodeByPath("DISC\\games"), root);  // case matters
  EXPECT_EQ(model.FindTreeNodeByPath("DISC"), root);
  EXPECT_EQ(model.FindTreeNodeByPath(""), root);
  EXPECT_EQ(model.FindTreeNodeByPath("\\\\\\"), root);
  model.CloseArchive();
  EXPECT_EQ(model.FindTreeNodeByPath("DISC\\Games"), nullptr);
}

TEST_F(ExplorerTest, ASubfolderAtPositionZeroIsFollowed) {
  // The empty folder is the first record written, so the root links to position 0.
  model.OpenArchive(write("c.qel", dir("", {dir("first"), file("a")})));
  const TreeNode* root = model.tree().root();
  ASSERT_EQ(root->children.size(), 1u);
  EXPECT_EQ(root->children[0]->position, 0);
  EXPECT_EQ(names(), (std::vector<std::string>{"first", "a"}));
}

TEST_F(ExplorerTest, ANameHoldingABackslashIsShownAndLeftByItsNode) {
  // Linux names may hold a backslash; the address of such a folder leads elsewhere.
  model.OpenArchive(
      write("c.qel", dir("", {dir("a", {file("in-a")}), dir("a\\b", {file("in-ab")})})));
  const TreeNode* odd = model.tree().root()->children[1];  // after "a" by name
  ASSERT_EQ(odd->text, "a\\b");
  ASSERT_TRUE(model.ShowFolder(*odd));
  EXPECT_EQ(names(), std::vector<std::string>{"in-ab"});
  ASSERT_TRUE(model.GoUp());
  EXPECT_EQ(model.CurrentNode(), model.tree().root());
}

TEST_F(ExplorerTest, EntriesKeepTheIconsTheirRecordsStore) {
  const std::string icon = std::string("\0\0\1\0\1\0", 6) + std::string(40, 'i');
  auto fileWith = [](std::string name, std::string iconBytes) {
    TSCFileObjectInfo r;
    r.FileName = std::move(name);
    r.FilePath = "X:\\";
    r.Attribute = faArchive;
    r.CreateDateTime = 45000.5;
    if (!iconBytes.empty()) r.EXEIconSmall->setBytes(iconBytes);
    return r;
  };
  TSCFileObjectInfo root;
  root.FilePath = "X:\\";
  root.Attribute = faDirectory;
  // The chain reads b.exe first, then plain.txt, through the same reading object.
  model.OpenArchive(writeBytes("c.qel", craftCatalog({{fileWith("plain.txt", ""), -1, -1, -1},
                                                      {fileWith("b.exe", icon), 0, -1, -1},
                                                      {root, -1, 1, -1}},
                                                     2)));
  ASSERT_EQ(names(), (std::vector<std::string>{"b.exe", "plain.txt"}));
  ASSERT_NE(model.entries()[0].record.EXEIconSmall, nullptr);
  EXPECT_EQ(model.entries()[0].record.EXEIconSmall->bytes(), icon);
  EXPECT_EQ(model.entries()[0].record.EXEIconLarge, nullptr);
  EXPECT_EQ(model.entries()[1].record.EXEIconSmall, nullptr);
  EXPECT_EQ(model.tree().root()->record.EXEIconSmall, nullptr);
}

TEST_F(ExplorerTest, ShowingTheFolderShownListsNothingAgain) {
  model.OpenArchive(write("c.qel", games()));
  int lists = listener.lists;
  EXPECT_TRUE(model.ShowFolder(*model.tree().root()));
  EXPECT_EQ(listener.lists, lists);
  EXPECT_EQ(model.History().count(), 2);
}

TEST_F(ExplorerTest, SixBackStepsWithTheDefaultLimit) {
  model.OpenArchive(write("c.qel", eightFolders()));
  for (int i = 1; i <= 8; ++i) show("DISC\\f" + std::to_string(i));
  EXPECT_EQ(captions(model.backMenu()),
            (std::vector<std::string>{"f7:1", "f6:2", "f5:3", "f4:4", "f3:5", "f2:6"}));
  EXPECT_TRUE(model.forwardMenu().empty());
  for (int i = 0; i < 6; ++i) {
    EXPECT_TRUE(model.navButtons().back) << i;
    ASSERT_TRUE(model.GoBack());
  }
  EXPECT_EQ(model.folderCaption(), "f2");
  EXPECT_FALSE(model.navButtons().back);
  EXPECT_FALSE(model.GoBack());
  EXPECT_TRUE(model.backMenu().empty());
  EXPECT_EQ(model.forwardMenu().size(), 6u);
  EXPECT_EQ(model.forwardMenu().back().caption, "f8");
  EXPECT_EQ(model.forwardMenu().back().steps, 6);
}

TEST_F(ExplorerTest, ALimitOfZeroKeepsOnlyTheCurrentFolder) {
  model.setHistoryLimit(0);
  model.OpenArchive(write("c.qel", eightFolders()));
  for (int i = 1; i <= 4; ++i) {
    show("DISC\\f" + std::to_string(i));
    EXPECT_FALSE(model.navButtons().back);
    EXPECT_EQ(model.History().count(), 2);
  }
}

TEST_F(ExplorerTest, VisitingAFolderAfterGoingBackDropsTheForwardPart) {
  model.OpenArchive(write("c.qel", eightFolders()));
  show("DISC\\f1");
  show("DISC\\f2");
  show("DISC\\f3");
  ASSERT_TRUE(model.GoBack(2));
  EXPECT_EQ(model.folderCaption(), "f1");
  EXPECT_TRUE(model.navButtons().forward);
  EXPECT_EQ(captions(model.forwardMenu()), (std::vector<std::string>{"f2:1", "f3:2"}));
  show("DISC\\f5");
  EXPECT_FALSE(model.navButtons().forward);
  EXPECT_TRUE(model.forwardMenu().empty());
  EXPECT_EQ(captions(model.backMenu()), (std::vector<std::string>{"f1:1", "DISC:2"}));
  EXPECT_FALSE(model.GoForward());
}

TEST_F(ExplorerTest, GoingBackToTheSameFolderListsNothingButMoves) {
  // History A, B, A with the last A shown; A is the root here.
  model.OpenArchive(write("c.qel", eightFolders()));
  show("DISC\\f1");
  ASSERT_TRUE(model.ShowFolder(*model.tree().root()));
  EXPECT_EQ(model.History().count(), 4);
  std::vector<HistoryMenuItem> back = model.backMenu();
  ASSERT_EQ(captions(back), (std::vector<std::string>{"f1:1", "DISC:2"}));
  int lists = listener.lists;
  ASSERT_TRUE(model.GoBack(back[1].steps));
  EXPECT_EQ(listener.lists, lists);
  EXPECT_EQ(model.History().HistoryPos(), 1);
  EXPECT_FALSE(model.navButtons().back);
  EXPECT_TRUE(model.navButtons().forward);
  EXPECT_FALSE(model.GoBack(0));
  EXPECT_FALSE(model.GoForward(3));
}

TEST_F(ExplorerTest, ChoosingTheShownCatalogAgainReopensIt) {
  std::string a = write("a.qel", games());
  std::string b = write("b.qel", eightFolders(), "OTHER");
  model.setArchiveList({{"DISC", a}, {"OTHER", b}});
  EXPECT_EQ(model.selectedArchive(), -1);
  model.chooseArchive(0);
  EXPECT_EQ(model.selectedArchive(), 0);
  show("DISC\\Games");
  model.columnClick(3);
  int trees = listener.trees;
  model.chooseArchive(0);
  EXPECT_GT(listener.trees, trees);
  EXPECT_EQ(model.CurrentNode(), model.tree().root());
  EXPECT_EQ(model.History().count(), 2);
  EXPECT_EQ(model.SortMode(), kSortNameAsc);  // reopened: by name again
  EXPECT_EQ(model.selectedArchive(), 0);
  // Paths are matched ignoring case when the selector entry is looked for.
  std::string upper = tmp.file("B.QEL");
  ASSERT_EQ(::rename(b.c_str(), upper.c_str()), 0);
  model.OpenArchive(upper);
  EXPECT_EQ(model.label(), "OTHER");
  EXPECT_EQ(model.selectedArchive(), 1);
}

TEST_F(ExplorerTest, ADeletedCatalogEmptiesTheViewWithoutAMessage) {
  std::string a = write("a.qel", games());
  std::string b = write("b.qel", eightFolders());
  model.setArchiveList({{"A", a}, {"B", b}});
  model.chooseArchive(0);
  ASSERT_TRUE(model.isOpen());
  ASSERT_EQ(::unlink(b.c_str()), 0);
  model.chooseArchive(1);
  expectClosed();
  EXPECT_EQ(model.ArchiveFile(), b);
  EXPECT_TRUE(dialogs.messages.empty());
  // A folder is not a catalog: that is said.
  model.OpenArchive(tmp.path());
  expectClosed();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("not a regular file"), std::string::npos);
}

TEST_F(ExplorerTest, TheSelectorIsUpdatingWhileTheWindowFillsIt) {
  struct Filler final : ExplorerListener {
    ExplorerModel* model = nullptr;
    std::vector<bool> updating;
    void archiveListChanged() override {
      updating.push_back(model->UpdatingArchiveList());
      model->chooseArchive(1);  // what a selector's change signal would do
    }
  } filler;
  filler.model = &model;
  model.setListener(&filler);
  std::string a = write("a.qel", games());
  std::string b = write("b.qel", eightFolders(), "OTHER");
  model.setArchiveList({{"A", a}, {"B", b}});
  EXPECT_FALSE(model.isOpen());
  model.OpenArchive(a);
  EXPECT_EQ(model.label(), "DISC");
  model.CloseArchive();
  EXPECT_FALSE(model.UpdatingArchiveList());
  ASSERT_FALSE(filler.updating.empty());
  for (bool u : filler.updating) EXPECT_TRUE(u);
  EXPECT_FALSE(model.isOpen());
  model.setListener(&listener);
}

TEST_F(ExplorerTest, CloseIfShownComparesThePathExactly) {
  std::string a = write("a.qel", games());
  model.OpenArchive(a);
  EXPECT_FALSE(model.closeIfShown(tmp.file("A.qel")));
  EXPECT_TRUE(model.isOpen());
  EXPECT_TRUE(model.closeIfShown(a));
  expectClosed();
  EXPECT_FALSE(model.closeIfShown(a));
}

TEST_F(ExplorerTest, ADeepTreeIsBuiltAndFreedWithoutRecursion) {
  constexpr int kDepth = 100'000;
  std::string path = tmp.file("deep.qel");
  {
    CatalogWriter w(path);
    for (int i = 0; i <= kDepth; ++i) w.enterDirectory();
    for (int i = 0; i <= kDepth; ++i) {  // the innermost first
      TSCFileObjectInfo r;
      r.FileName = "d";
      r.FilePath = "X:\\";
      r.Attribute = faDirectory;
      r.DirsOnlyUM = i > 0 ? 1 : 0;
      r.DirsUnderMe = i;
      w.leaveDirectory(r);
    }
    TSCCDInfo h;
    h.TotalDirectories = kDepth;
    w.commit(h);
  }
  model.OpenArchive(path);
  ASSERT_TRUE(model.isOpen());
  EXPECT_EQ(model.tree().size(), static_cast<std::size_t>(kDepth) + 1);
  model.CloseArchive();
  expectClosed();
}

}  // namespace
}  // namespace kolvex::test
