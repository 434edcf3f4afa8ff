#pragma once
// Back and forward history of the folders shown. Entry 0 is an empty placeholder;
// entries 1.. are tree nodes, compared by identity. The tree is only rebuilt after the
// history is reset, so an entry never outlives its node.
#include <string>
#include <vector>

#include "core/explorer/TreeNode.h"

namespace kolvex {

struct HistoryMenuItem {
  std::string caption;  // the folder's name, or the catalog label for the root
  int steps = 0;        // fixed when the menu is built: GoBack(steps) or GoForward(steps)
  const TreeNode* node = nullptr;
};

class ExplorerHistory {
 public:
  ExplorerHistory() { reset(); }

  // The placeholder alone; HistoryPos 0.
  void reset();
  // Drops the forward part, keeps at most maxItems earlier entries and appends node as
  // the current entry. maxItems 0 keeps only the current folder.
  void PushHistory(const TreeNode* node, int maxItems);

  int HistoryPos() const { return pos_; }
  // Entries including the placeholder.
  int count() const { return static_cast<int>(entries_.size()); }
  const TreeNode* at(int index) const { return entries_[static_cast<std::size_t>(index)]; }
  const TreeNode* current() const { return at(pos_); }
  bool canGoBack(int steps = 1) const { return steps >= 1 && pos_ - steps >= 1; }
  bool canGoForward(int steps = 1) const { return steps >= 1 && pos_ + steps < count(); }
  // Moves HistoryPos by steps (negative: back); the move must be allowed.
  void move(int steps) { pos_ += steps; }

  // The back menu from the nearest entry to the oldest, the forward menu from the
  // nearest to the newest; empty when that direction is not possible.
  std::vector<HistoryMenuItem> backMenu(const std::string& label) const;
  std::vector<HistoryMenuItem> forwardMenu(const std::string& label) const;

 private:
  HistoryMenuItem item(int index, const std::string& label) const;
  std::vector<const TreeNode*> entries_;
  int pos_ = 0;
};

}  // namespace kolvex
