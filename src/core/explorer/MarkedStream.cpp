#include "core/explorer/MarkedStream.h"

#include <algorithm>
#include <cstring>

#include "core/persist/PersistError.h"

namespace kolvex {

MarkedStream::MarkedStream(Stream& source, std::uint64_t begin)
    : source_(source), size_(source.size()), mark_(begin) {
  winPos_ = begin;
}

void MarkedStream::write(const void*, std::size_t) {
  throw EStreamError(msg::kStreamWriteError);  // a reading aid only
}

void MarkedStream::fill(std::size_t n) {
  const std::uint64_t pos = position();
  if (size_ < pos || size_ - pos < n) throwReadError();
  const std::uint64_t windowEnd = winPos_ + static_cast<std::uint64_t>(end_ - buf_);
  // Keep the window from the mark on, or from the position when the mark lies elsewhere.
  const std::uint64_t keepFrom = mark_ >= winPos_ && mark_ <= pos ? mark_ : pos;
  const std::uint64_t have = windowEnd > keepFrom ? windowEnd - keepFrom : 0;
  const std::uint64_t need = (pos - keepFrom) + n;
  // Growing with the kept part keeps a record of any size linear to read.
  const std::uint64_t total = std::min<std::uint64_t>(
      std::max<std::uint64_t>({need, kBlock, 2 * (pos - keepFrom)}), size_ - keepFrom);
  if (data_.size() < total) {
    std::vector<std::uint8_t> bigger(total);
    if (have) std::memcpy(bigger.data(), buf_ + (keepFrom - winPos_), have);
    data_.swap(bigger);
  } else if (have) {
    std::memmove(data_.data(), buf_ + (keepFrom - winPos_), have);
  }
  source_.seek(keepFrom + have);
  source_.readInto(data_.data() + have, total - have);
  buf_ = data_.data();
  end_ = buf_ + total;
  winPos_ = keepFrom;
  cur_ = buf_ + (pos - keepFrom);
}

void MarkedStream::seekOutside(std::uint64_t pos) {
  buf_ = cur_ = end_ = data_.data();
  winPos_ = pos;
}

}  // namespace kolvex
