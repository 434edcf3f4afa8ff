#pragma once
// A view that remembers what the catalog folder service and the hand-overs told it, for
// tests that wire a real view to stand-ins of the others.
#include <functional>
#include <string>
#include <vector>

#include "ui/common/KolvexView.h"

namespace kolvex::test {

// The main window's view switching, remembered.
struct RecordingSwitcher final : ViewSwitcher {
  void ShowView(int index) override { shown.push_back(index); }
  std::vector<int> shown;
};

class RecordingView final : public KolvexView {
 public:
  explicit RecordingView(AppContext& context) : KolvexView(context, nullptr) {}
  void CatalogsRefreshing() override { ++refreshing; }
  void CatalogsChanged(const std::vector<ArchiveListEntry>& c) override { lists.push_back(c); }
  void LetGoOfCatalog(const std::string& path) override {
    if (onLetGo) onLetGo(path);
    closed.push_back(path);
  }
  void BrowseArchive(const std::string& path, const std::string& folder,
                     const std::string& select) override {
    browsed.push_back(path);
    browsedFolders.push_back(folder);
    selected.push_back(select);
  }
  void SearchOnly(const std::string& path) override { only.push_back(path); }
  void OfferFolder(const std::string& folder) override { offered.push_back(folder); }

  std::function<void(const std::string&)> onLetGo;
  int refreshing = 0;
  std::vector<std::vector<ArchiveListEntry>> lists;
  std::vector<std::string> closed, browsed, browsedFolders, selected, only, offered;
};

}  // namespace kolvex::test
