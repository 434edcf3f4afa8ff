#pragma once
// Builds the folder tree of a catalog. Following every folder link with its own
// positioned read costs about eleven times one pass over the file, so the records are
// first read in file order, keeping the folder records by position, and the links are
// then followed in memory. The checks are those of CatalogReader: a link must point to a
// record that starts before the record holding it, and no folder may be reached twice.
// A link that the pass did not see as the start of a folder record (a damaged catalog,
// or one from elsewhere) is read where it points, as a plain reader would.
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "core/app/EventPump.h"
#include "core/explorer/FolderTree.h"
#include "core/persist/CatalogReader.h"

namespace kolvex {

class FolderTreeLoader {
 public:
  FolderTreeLoader(CatalogReader& reader, SlicedPump& pump) : reader_(reader), pump_(pump) {}

  // The whole tree, the root's text being the catalog label. Throws EStreamError.
  FolderTree load();

 private:
  void readFolderRecords(std::int64_t rootPos);
  TTFileObjectInfo fetch(std::int64_t pos, std::int64_t holder);

  CatalogReader& reader_;
  SlicedPump& pump_;
  // The folder records met in file order: positions ascending, records beside them.
  std::vector<std::int64_t> positions_;
  std::vector<TTFileObjectInfo> records_;
  std::unordered_set<std::int64_t> seen_;
};

}  // namespace kolvex
