#pragma once
// A read-only stream over a mapped file: the window is the whole file, so reading a
// record at any position costs no copy and no call. The search reads its hits through
// it once an index told it where they are.
#include "core/index/MappedFile.h"
#include "core/persist/Stream.h"

namespace kolvex::index {

class MappedStream final : public Stream {
 public:
  // The mapping must outlive the stream.
  explicit MappedStream(const MappedFile& file);
  std::uint64_t size() override { return size_; }
  using Stream::write;
  void write(const void* data, std::size_t n) override;

 protected:
  void fill(std::size_t n) override;
  void seekOutside(std::uint64_t pos) override;

 private:
  std::uint64_t size_;
};

}  // namespace kolvex::index
