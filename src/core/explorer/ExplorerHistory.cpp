#include "core/explorer/ExplorerHistory.h"

#include <algorithm>

#include "core/explorer/FolderTexts.h"

namespace kolvex {

void ExplorerHistory::reset() {
  entries_.assign(1, nullptr);
  pos_ = 0;
}

void ExplorerHistory::PushHistory(const TreeNode* node, int maxItems) {
  maxItems = std::max(maxItems, 0);
  entries_.resize(static_cast<std::size_t>(pos_) + 1);
  if (pos_ > maxItems) {
    entries_.erase(entries_.begin() + 1, entries_.begin() + 1 + (pos_ - maxItems));
    pos_ = maxItems;
  }
  entries_.push_back(node);
  ++pos_;
}

HistoryMenuItem ExplorerHistory::item(int index, const std::string& label) const {
  const TreeNode* node = at(index);
  return {FolderCaption(label, node->record), index - pos_, node};
}

std::vector<HistoryMenuItem> ExplorerHistory::backMenu(const std::string& label) const {
  std::vector<HistoryMenuItem> items;
  for (int i = pos_ - 1; i >= 1; --i) {
    items.push_back(item(i, label));
    items.back().steps = pos_ - i;
  }
  return items;
}

std::vector<HistoryMenuItem> ExplorerHistory::forwardMenu(const std::string& label) const {
  std::vector<HistoryMenuItem> items;
  for (int i = pos_ + 1; i < count(); ++i) items.push_back(item(i, label));
  return items;
}

}  // namespace kolvex
