#pragma once
// Checks the records of a catalog, read one after the other in file order, against its
// header. Every writer writes TotalFiles + TotalDirectories + 1 records back to back (the
// scanned folder's own record last, at EntranceRP) and nothing after them, so a header
// whose totals were damaged, or a record area that lost or gained records, shows here.
#include <cstdint>

#include "core/persist/TSCCDInfo.h"

namespace kolvex {

class RecordCensus {
 public:
  // areaSize: the bytes after the header. Throws ECatalogLinkError when the totals give
  // no record count at all (negative).
  RecordCensus(const TSCCDInfo& header, std::uint64_t areaSize);

  // How many records the header says there are.
  std::int64_t records() const { return expected_; }
  // Before reading the next record, at pos (relative to the record base): throws when the
  // file ended before the header's count was reached.
  void before(std::int64_t pos) const;
  // After reading the record that started at pos.
  void count(std::int64_t pos, bool isDirectory);
  // After the last record, which ended at end: the kinds, the root's place and the end of
  // the file must be as the header says. Throws ECatalogLinkError.
  void finish(std::int64_t end) const;

 private:
  std::int64_t totalFiles_, totalDirs_, entrance_;
  std::int64_t expected_;
  std::int64_t area_;
  std::int64_t seen_ = 0, files_ = 0, dirs_ = 0, last_ = -1;
};

}  // namespace kolvex
