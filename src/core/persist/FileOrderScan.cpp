#include "core/persist/FileOrderScan.h"

namespace kolvex {

FileOrderScan::FileOrderScan(CatalogReader& reader)
    : in_(reader.file().stream()),
      base_(reader.recordBase()),
      census_(reader.header(), reader.areaSize()),
      scanner_(in_) {
  in_.seek(base_);
}

const RecordView& FileOrderScan::next() {
  position_ = static_cast<std::int64_t>(in_.position() - base_);
  census_.before(position_);
  const RecordView& r = scanner_.next();
  census_.count(position_, (r.Attribute & faDirectory) != 0);
  if (++read_ == census_.records()) census_.finish(static_cast<std::int64_t>(in_.position() - base_));
  return r;
}

}  // namespace kolvex
