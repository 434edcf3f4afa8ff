#include "core/report/FolderTotals.h"

#include "core/report/RowText.h"
#include "core/report/Saturating.h"

namespace kolvex {

std::string FolderTotals::pathOf(int index) const {
  std::vector<const std::string*> names;
  for (int i = index; i > 0; i = folders[static_cast<std::size_t>(i)].parent)
    names.push_back(&folders[static_cast<std::size_t>(i)].name);
  std::string path = startPath;
  for (auto it = names.rbegin(); it != names.rend(); ++it) path = JoinFolderPath(path, **it);
  return path;
}

std::optional<FolderTotals> CollectFolderTotals(
    CatalogReader& reader, std::int64_t start, const std::string& startPath,
    const WalkProceed& proceed, const std::function<void(const WalkEntry&)>& onEntry) {
  FolderTotals totals;
  totals.startPath = startPath;
  FolderTotal top;
  top.name = reader.readAt(start).FileName;
  top.position = start;
  totals.folders.push_back(std::move(top));
  CatalogWalk walk(reader, start, startPath);
  const bool complete = walk.run(
      [&](const WalkEntry& e) {
        if (onEntry) onEntry(e);
        FolderTotal& holder = totals.folders[static_cast<std::size_t>(e.folderIndex)];
        if (!e.isFolder) {
          ++holder.ownFiles;
          holder.files += 1;
          holder.bytes = saturatingAdd(holder.bytes, countedSize(e.record.FileSize));
          return;
        }
        ++holder.ownFolders;
        FolderTotal f;
        f.name = e.record.FileName;
        f.parent = e.folderIndex;
        f.position = e.position;
        f.depth = holder.depth + 1;
        totals.folders.push_back(std::move(f));
      },
      proceed);
  if (!complete) return std::nullopt;
  // Children come after their parents, so one backward pass adds each subtree upwards.
  for (std::size_t i = totals.folders.size(); i-- > 1;) {
    const FolderTotal& f = totals.folders[i];
    FolderTotal& parent = totals.folders[static_cast<std::size_t>(f.parent)];
    parent.bytes = saturatingAdd(parent.bytes, f.bytes);
    parent.files += f.files;
    parent.folders += f.folders + 1;
  }
  return totals;
}

}  // namespace kolvex
