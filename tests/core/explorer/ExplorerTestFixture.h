#pragma once
// An explorer model over catalogs written into a temporary folder, with scripted window
// events and message boxes, and a listener that counts what the window would be told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/explorer/ExplorerModel.h"
#include "support/CatalogCraft.h"
#include "support/ScriptedSeams.h"
#include "support/TempDir.h"

namespace kolvex::test {

struct CountingListener final : ExplorerListener {
  void busyChanged(ExplorerBusy b) override { busy.push_back(b); }
  void treeChanged() override { ++trees; }
  void folderChanged(const TreeNode*) override { ++folders; }
  void entriesChanged() override { ++lists; }
  void archiveListChanged() override { ++archiveLists; }
  void progressChanged(std::int64_t pos, std::int64_t max) override {
    lastProgress = pos;
    lastMaximum = max;
  }
  std::vector<ExplorerBusy> busy;
  int trees = 0, folders = 0, lists = 0, archiveLists = 0;
  std::int64_t lastProgress = -1, lastMaximum = -1;
};

class ExplorerTest : public ::testing::Test {
 protected:
  ExplorerTest() { model.setListener(&listener); }

  std::string write(const std::string& name, const Entry& root, const std::string& label = "DISC") {
    TSCCDInfo h;
    h.CDLabel = label;
    std::string path = tmp.file(name);
    writeCatalog(path, root, h);
    return path;
  }
  std::string writeBytes(const std::string& name, const std::string& bytes) {
    std::string path = tmp.file(name);
    writeFile(path, bytes);
    return path;
  }
  const TreeNode& node(const std::string& address) {
    const TreeNode* n = model.FindTreeNodeByPath(address);
    EXPECT_NE(n, nullptr) << address;
    return *n;
  }
  void show(const std::string& address) { ASSERT_TRUE(model.ShowFolder(node(address))) << address; }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const FolderEntry& e : model.entries()) out.push_back(e.record.FileName);
    return out;
  }
  // The model as the window finds it after an operation: nothing half done.
  void expectSettled() {
    EXPECT_EQ(model.busy(), ExplorerBusy::Idle);
    EXPECT_EQ(model.progressPosition(), 0);
  }
  void expectClosed() {
    expectSettled();
    EXPECT_FALSE(model.isOpen());
    EXPECT_EQ(model.header(), nullptr);
    EXPECT_TRUE(model.tree().empty());
    EXPECT_TRUE(model.entries().empty());
    EXPECT_EQ(model.CurrentNode(), nullptr);
    EXPECT_EQ(model.Address(), "");
    EXPECT_EQ(model.History().count(), 1);
    EXPECT_EQ(model.History().HistoryPos(), 0);
    EXPECT_FALSE(model.navButtons().back || model.navButtons().forward || model.navButtons().up);
    EXPECT_EQ(model.selectedArchive(), -1);
  }

  TempDir tmp;
  ScriptedPump pump;
  ScriptedDialogs dialogs;
  CountingListener listener;
  ExplorerModel model{pump, dialogs};
};

}  // namespace kolvex::test
