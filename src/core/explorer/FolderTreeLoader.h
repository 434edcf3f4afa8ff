#pragma once
// Builds the folder tree of a catalog. Following every folder link with its own
// positioned read costs about eleven times one pass over the file, so the records are
// first read in file order (decoded as the search decodes them), keeping the folder
// records and, for each file record, where it starts and its sibling link; the links are
// then followed in memory. The pass checks the records against the header (RecordCensus)
// and any damage it meets ends the load. The walk checks what CatalogReader checks, for
// the whole tree at once: a link must point to the start of a record that lies before the
// record holding it, a record must be of the kind of its chain, no record may be reached
// twice, and each folder's chains and totals must fit its counters. So a catalog the
// explorer opens is one whose every record is shown exactly once.
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
  // Follows a folder's file chain through the links kept by the pass.
  void checkFiles(const TreeNode& folder);
  bool isFolderStart(std::int64_t pos) const;

  CatalogReader& reader_;
  SlicedPump& pump_;
  // The folder records met in file order: positions ascending, records beside them.
  std::vector<std::int64_t> positions_;
  std::vector<TTFileObjectInfo> records_;
  // The file records met in file order: where each starts and its BrotherRP.
  struct FileLink {
    std::int64_t pos, brother;
  };
  std::vector<FileLink> files_;
  std::vector<bool> fileReached_;
  std::unordered_set<std::int64_t> seen_;
};

}  // namespace kolvex
