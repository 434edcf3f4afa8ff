// The explorer's export and space map: the folder menu's "Export...", the space map as a
// view style, and the hand-overs between the map and the list.
#include <QActionGroup>
#include <QMenu>
#include <QTimer>

#include "ui/common/InterfaceTexts.h"
#include "ui/explorer/FileListModel.h"
#include "ui/explorer/SpaceMapView.h"
#include "ui/explorer/TArchiveExplorerFrame.h"
#include "ui/report/ExportFile.h"

namespace kolvex {
namespace {

// The real path of a folder node below the scanned folder ("/docs/old").
std::string realPathOf(const TreeNode* node) {
  std::vector<const TreeNode*> chain;
  for (; node && node->parent; node = node->parent) chain.push_back(node);
  std::string path;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) path += "/" + (*it)->record.FileName;
  return path.empty() ? "/" : path;
}

}  // namespace

void TArchiveExplorerFrame::BuildReportMenus(QActionGroup* styles) {
  pmListStyle_->addSeparator();
  QAction* map = pmListStyle_->addAction("Space Map");
  map->setObjectName("miSpaceMap");
  setTag(map, 95003);
  map->setCheckable(true);
  styles->addAction(map);
  styleItems_[kSpaceMap] = map;
  connect(map, &QAction::triggered, this, [this] { setListStyle(kSpaceMap); });

  pmFolder_ = new QMenu(this);
  pmFolder_->setObjectName("pmFolder");
  QAction* exportFolder = pmFolder_->addAction("Export...");
  exportFolder->setObjectName("miExportFolder");
  setTag(exportFolder, 95001);
  connect(exportFolder, &QAction::triggered, this, [this] {
    miExportFolderClick(static_cast<const TreeNode*>(pmFolder_->property("folder").value<const void*>()));
  });
  QAction* mapFolder = pmFolder_->addAction("Space Map");
  mapFolder->setObjectName("miSpaceMapFolder");
  setTag(mapFolder, 95003);
  connect(mapFolder, &QAction::triggered, this, [this] {
    const auto* node = static_cast<const TreeNode*>(pmFolder_->property("folder").value<const void*>());
    if (node && node != model_.CurrentNode()) model_.ShowFolder(*node);
    setListStyle(kSpaceMap);
  });

  connect(spaceMap_, &SpaceMapView::folderClicked, this,
          [this](std::int64_t position) { spaceMapFolderClicked(position); });
  connect(spaceMap_, &SpaceMapView::fileActivated, this,
          [this](std::int64_t file, std::int64_t folder) { spaceMapFileActivated(file, folder); });
}

void TArchiveExplorerFrame::miExportFolderClick(const TreeNode* folder) {
  if (!model_.isOpen() || !folder) return;
  // The node must still belong to the tree shown (the menu may outlive a reopening).
  if (nodeAtPosition(folder->position) != folder) return;
  const std::string name = folder->parent ? model_.label() + "_" + folder->record.FileName : model_.label();
  ExportFile(context_, this).catalogFolder(model_.ArchiveFile(), folder->position, realPathOf(folder),
                                           name);
}

void TArchiveExplorerFrame::showSpaceMap() {
  // Later, not inside the explorer's own operation: reading the catalog lets events run.
  QTimer::singleShot(0, this, [this] {
    const TreeNode* node = model_.CurrentNode();
    if (style_ != kSpaceMap || !node || !model_.isOpen()) return;
    spaceMap_->showFolder(model_.ArchiveFile(), node->position);
  });
}

const TreeNode* TArchiveExplorerFrame::nodeAtPosition(std::int64_t position) const {
  std::vector<const TreeNode*> stack;
  if (const TreeNode* root = model_.tree().root()) stack.push_back(root);
  while (!stack.empty()) {
    const TreeNode* n = stack.back();
    stack.pop_back();
    if (n->position == position) return n;
    for (const TreeNode* c : n->children) stack.push_back(c);
  }
  return nullptr;
}

void TArchiveExplorerFrame::spaceMapFolderClicked(std::int64_t position) {
  if (const TreeNode* node = nodeAtPosition(position)) model_.ShowFolder(*node);
}

void TArchiveExplorerFrame::spaceMapFileActivated(std::int64_t file, std::int64_t folder) {
  const TreeNode* node = nodeAtPosition(folder);
  if (!node) return;
  if (node != model_.CurrentNode() && !model_.ShowFolder(*node)) return;
  setListStyle(listStyleBeforeMap_);
  const int row = listModel_->rowAtPosition(file);
  if (row >= 0) selectRow(row);
}

}  // namespace kolvex
