#include "core/persist/Stream.h"

#include <algorithm>
#include <cstring>

#include "core/persist/PersistError.h"

namespace kolvex {

void Stream::seek(std::uint64_t pos) {
  if (pos >= winPos_ && pos - winPos_ <= static_cast<std::uint64_t>(end_ - buf_)) {
    cur_ = buf_ + (pos - winPos_);
    return;
  }
  seekOutside(pos);
}

void Stream::readInto(void* dst, std::size_t n) {
  auto* out = static_cast<std::uint8_t*>(dst);
  while (n > 0) {
    if (cur_ == end_) fill(1);
    std::size_t chunk = std::min(n, static_cast<std::size_t>(end_ - cur_));
    std::memcpy(out, cur_, chunk);
    cur_ += chunk;
    out += chunk;
    n -= chunk;
  }
}

void Stream::readAppend(std::string& out, std::uint64_t n) {
  if (n > remaining()) throwReadError();
  std::size_t old = out.size();
  out.resize(old + static_cast<std::size_t>(n));
  readInto(out.data() + old, static_cast<std::size_t>(n));
}

void MemoryStream::reset(std::uint64_t pos) {
  buf_ = reinterpret_cast<const std::uint8_t*>(data_.data());
  end_ = buf_ + data_.size();
  cur_ = buf_ + std::min<std::uint64_t>(pos, data_.size());
  winPos_ = 0;
}

void MemoryStream::fill(std::size_t) { throwReadError(); }

void MemoryStream::seekOutside(std::uint64_t pos) {
  // Past the end: the next write extends the data with zeros.
  if (pos > data_.size()) data_.resize(pos);
  reset(pos);
}

void MemoryStream::write(const void* data, std::size_t n) {
  std::uint64_t pos = position();
  if (pos + n > data_.size()) data_.resize(pos + n);
  std::memcpy(data_.data() + pos, data, n);
  reset(pos + n);
}

}  // namespace kolvex
