#pragma once
// Reads another stream forward in large blocks and keeps every byte from a marked
// position on, so that a reader can look at a record, step back to its start and read it
// again without a new read from the file.
#include <cstdint>
#include <vector>

#include "core/persist/Stream.h"

namespace kolvex {

class MarkedStream final : public Stream {
 public:
  static constexpr std::size_t kBlock = 1024 * 1024;

  // Reads source from position begin; positions are the source's.
  MarkedStream(Stream& source, std::uint64_t begin);

  // Keeps the bytes from the current position on until the next mark.
  void mark() { mark_ = position(); }
  std::uint64_t size() override { return size_; }
  using Stream::write;
  void write(const void* data, std::size_t n) override;

 protected:
  void fill(std::size_t n) override;
  void seekOutside(std::uint64_t pos) override;

 private:
  Stream& source_;
  std::uint64_t size_;
  std::uint64_t mark_;
  std::vector<std::uint8_t> data_;
};

}  // namespace kolvex
