#include "core/persist/RecordCensus.h"

#include <string>

#include "core/persist/CatalogDamage.h"

namespace kolvex {

RecordCensus::RecordCensus(const TSCCDInfo& header, std::uint64_t areaSize)
    : totalFiles_(header.TotalFiles),
      totalDirs_(header.TotalDirectories),
      entrance_(header.EntranceRP),
      expected_(totalFiles_ + totalDirs_ + 1),
      area_(static_cast<std::int64_t>(areaSize)) {
  if (totalFiles_ < 0 || totalDirs_ < 0) throwDamaged("its record count is negative");
}

void RecordCensus::before(std::int64_t pos) const {
  if (pos >= area_)
    throwDamaged("its header counts " + std::to_string(expected_) + " records, but the file holds only " +
                 std::to_string(seen_));
}

void RecordCensus::count(std::int64_t pos, bool isDirectory) {
  ++seen_;
  ++(isDirectory ? dirs_ : files_);
  last_ = pos;
}

void RecordCensus::finish(std::int64_t end) const {
  if (end != area_)
    throwDamaged("its header counts " + std::to_string(expected_) +
                 " records, but more bytes follow the last of them");
  if (files_ != totalFiles_ || dirs_ != totalDirs_ + 1)
    throwDamaged("its header counts " + std::to_string(totalFiles_) + " file(s) and " +
                 std::to_string(totalDirs_) + " folder(s), but the file holds " +
                 std::to_string(files_) + " file(s) and " + std::to_string(dirs_ - 1) + " folder(s)");
  if (last_ != entrance_)
    throwDamaged("the scanned folder's record at " + std::to_string(entrance_) +
                 " is not the last record of the file");
}

}  // namespace kolvex
