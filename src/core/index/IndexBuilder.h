#pragma once
// Collects what the search tests and shows of each record, in file order, and writes the
// index file: the columns, the names and paths, the trigram posting lists (IndexFormat.h).
#include <cstdint>
#include <string>
#include <vector>

#include "core/index/IndexFormat.h"
#include "core/persist/RecordScanner.h"

namespace kolvex::index {

class IndexBuilder {
 public:
  // The next record in file order.
  void add(const RecordView& record);
  std::uint64_t records() const { return sizes_.size(); }

  // The whole index file for the catalog of that identity. Throws std::length_error when
  // the records do not fit the format (more than 4 GiB of names, more than 256 different
  // attribute values).
  std::string finish(const CatalogIdentity& catalog);

 private:
  std::vector<std::int64_t> sizes_;
  std::vector<double> times_;
  std::vector<std::int32_t> attributes_;
  std::vector<std::uint32_t> nameEnds_;
  std::string names_;
  std::vector<PathRun> pathRuns_;
  std::string paths_;
  std::string folded_;
  std::vector<std::uint64_t> pairs_;  // trigram << 32 | record number
  std::vector<std::uint32_t> nameTrigrams_;
};

}  // namespace kolvex::index
