#pragma once
// The records of a catalog one after the other in file order, as the search reads them:
// TotalFiles + TotalDirectories + 1 of them from the record base on, the usual record
// decoded in place (RecordScanner). A RecordCensus checks them against the header, so a
// catalog whose totals were damaged is reported instead of searched only in part.
#include <cstdint>

#include "core/persist/CatalogReader.h"
#include "core/persist/RecordCensus.h"
#include "core/persist/RecordScanner.h"

namespace kolvex {

class FileOrderScan {
 public:
  explicit FileOrderScan(CatalogReader& reader);

  // How many records there are to read.
  std::int64_t records() const { return census_.records(); }
  // Whether every record has been read.
  bool done() const { return read_ == census_.records(); }
  // The next record; after the last one, the census is checked. Throws EStreamError.
  const RecordView& next();
  // Where the record last returned starts, relative to the record base.
  std::int64_t position() const { return position_; }

 private:
  Stream& in_;
  std::uint64_t base_;
  RecordCensus census_;
  RecordScanner scanner_;
  std::int64_t read_ = 0;
  std::int64_t position_ = kNoRecord;
};

}  // namespace kolvex
