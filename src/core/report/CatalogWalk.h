#pragma once
// Walks one folder of a catalog and everything below it, each folder before its
// content (its files, then its sub-folders), telling every entry the real path of the
// folder that holds it. Export, statistics and the folder totals share this walk, so
// they agree on what lies below a folder. The reader's checks hold: a damaged catalog
// ends the walk with EStreamError.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/persist/CatalogReader.h"

namespace kolvex {

struct WalkEntry {
  std::int64_t position;
  const TSCFileObjectInfo& record;
  bool isFolder;            // reached through a folder chain
  int folderIndex;          // the holding folder's index among the walk's folders
  std::string_view folder;  // the holding folder's real path
  int ownIndex;             // a folder's own index (-1 for files)
};

// Asked after every entry with the number of entries walked; false stops the walk.
using WalkProceed = std::function<bool(std::int64_t done)>;

class CatalogWalk {
 public:
  // start is the folder's record position, startPath its real path ("/" at the top).
  CatalogWalk(CatalogReader& reader, std::int64_t start, std::string startPath);

  // Visits every entry below the folder (not the folder itself). Folders are numbered
  // in the order met, the starting folder being 0. False when proceed stopped the walk.
  bool run(const std::function<void(const WalkEntry&)>& visit, const WalkProceed& proceed = {});

 private:
  CatalogReader& reader_;
  std::int64_t start_;
  std::string startPath_;
};

}  // namespace kolvex
