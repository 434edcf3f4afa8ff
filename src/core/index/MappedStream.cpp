#include "core/index/MappedStream.h"

#include "core/persist/PersistError.h"

namespace kolvex::index {

MappedStream::MappedStream(const MappedFile& file) : size_(file.size()) {
  buf_ = cur_ = file.data();
  end_ = buf_ + size_;
  winPos_ = 0;
}

void MappedStream::write(const void*, std::size_t) { throw EStreamError(msg::kStreamWriteError); }

// The window already holds every byte: asking for more is asking past the end.
void MappedStream::fill(std::size_t) { throwReadError(); }

void MappedStream::seekOutside(std::uint64_t) { cur_ = end_; }

}  // namespace kolvex::index
