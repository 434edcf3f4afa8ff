#pragma once
// Builds the folder tree of a catalog. Following every folder link with its own
// positioned read costs about eleven times one pass over the file, so the records are
// first read in file order, keeping the folder records and the places where file records
// start, and the links are then followed in memory. The pass reads every record's
// stream and checks the records against the header (RecordCensus); any damage it meets
// ends the load. The walk checks what CatalogReader checks: a link must point to a record
// that starts before the record holding it, a record must be of the kind of its chain,
// no folder may be reached twice, and each folder's counters must fit its sub-folders;
// a link into the middle of a record is an error too. File records are decoded in full,
// and their chains counted, when their folder is listed (ListFolder).
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
  void readRecords();
  TTFileObjectInfo fetch(std::int64_t pos, std::int64_t holder);

  CatalogReader& reader_;
  SlicedPump& pump_;
  // The folder records met in file order: positions ascending, records beside them.
  std::vector<std::int64_t> positions_;
  std::vector<TTFileObjectInfo> records_;
  std::vector<std::int64_t> fileStarts_;
  std::unordered_set<std::int64_t> seen_;
};

}  // namespace kolvex
