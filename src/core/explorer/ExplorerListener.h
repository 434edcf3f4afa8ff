#pragma once
// What the explorer's window observes. Apart from the "about to" calls, every call comes
// after the model's state has changed, so the window reads the model from inside it.
// Calls during a long operation come from inside the model's event processing; the
// window must not destroy the model there (it may ask it to open or close a catalog:
// that waits for the operation's end).
#include <cstdint>

#include "core/explorer/TreeNode.h"

namespace kolvex {

enum class ExplorerBusy {
  Idle,
  BuildingTree,  // the tree is hidden, the catalog selector disabled
  Listing,       // the tree is disabled, the list hidden, the progress bar shown
};

class ExplorerListener {
 public:
  virtual ~ExplorerListener() = default;
  virtual void busyChanged(ExplorerBusy) {}
  // The tree is about to be replaced (a catalog is opened or closed): nodes held by the
  // window become invalid once treeChanged follows.
  virtual void treeAboutToChange() {}
  virtual void treeChanged() {}
  // The selector's entries, its selection or UpdatingArchiveList changed.
  virtual void archiveListChanged() {}
  // CurrentNode, Address, the folder caption or the status counts changed. previous is
  // the node shown before when it belongs to the same tree (its icon changes back).
  virtual void folderChanged(const TreeNode* /*previous*/) {}
  // The file list is about to be replaced or re-sorted, and has been.
  virtual void entriesAboutToChange() {}
  virtual void entriesChanged() {}
  // The Back, Forward or Up buttons changed.
  virtual void navChanged() {}
  // Listing progress, just before window events run.
  virtual void progressChanged(std::int64_t /*position*/, std::int64_t /*maximum*/) {}
};

}  // namespace kolvex
