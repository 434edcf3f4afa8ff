#pragma once
// The folders below one folder of a catalog with what each holds in its whole subtree:
// bytes, files and folders, counted from the records themselves (a catalog stores counts
// per folder but no byte totals).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/report/CatalogWalk.h"

namespace kolvex {

struct FolderTotal {
  std::string name;   // the folder's name; empty for the scanned folder
  int parent = -1;    // index of the parent folder; -1 for the starting folder
  std::int64_t position = kNoRecord;
  int depth = 0;      // below the starting folder
  std::int64_t bytes = 0;    // sizes of every file below
  std::int64_t files = 0;    // files below
  std::int64_t folders = 0;  // folders below, itself not counted
  std::int64_t ownFiles = 0;    // files directly inside
  std::int64_t ownFolders = 0;  // folders directly inside
};

struct FolderTotals {
  // In walk order (each folder before the folders inside it): 0 is the starting folder.
  std::vector<FolderTotal> folders;
  std::string startPath;
  // The real path of folder i ("/docs/old").
  std::string pathOf(int index) const;
};

// Reads the folder at start (real path startPath) and everything below it; onEntry, when
// given, sees every entry of the same walk. Nothing when proceed stopped the walk.
// Throws EStreamError for a damaged catalog.
std::optional<FolderTotals> CollectFolderTotals(
    CatalogReader& reader, std::int64_t start, const std::string& startPath,
    const WalkProceed& proceed = {}, const std::function<void(const WalkEntry&)>& onEntry = {});

}  // namespace kolvex
