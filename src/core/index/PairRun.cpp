#include "core/index/PairRun.h"

#include <algorithm>

#include "core/persist/PersistError.h"

namespace kolvex::index {
void encodePairRun(const std::vector<TrigramPair>& pairs, std::uint32_t base, std::string& out) {
  auto put = [&](std::uint64_t v) { appendVarint(out, v); };
  std::uint64_t trigram = 0;
  for (std::size_t i = 0; i < pairs.size();) {
    const std::uint64_t t = pairs[i] >> 32;
    std::size_t end = i + 1, count = 1;
    for (; end < pairs.size() && pairs[end] >> 32 == t; ++end) count += pairs[end] != pairs[end - 1];
    put(t - trigram);
    put(count - 1);
    std::uint32_t previous = static_cast<std::uint32_t>(pairs[i]);
    put(previous - base);
    for (++i; i < end; ++i) {
      const auto record = static_cast<std::uint32_t>(pairs[i]);
      if (record == previous) continue;
      put(record - previous - 1);
      previous = record;
    }
    trigram = t;
  }
}

PairRunReader::PairRunReader(SpillFile& file, std::uint64_t from, std::uint64_t to,
                             std::uint32_t base, std::size_t pieceBytes)
    : file_(file), at_(from), end_(to), pieceBytes_(std::max<std::size_t>(pieceBytes, 1)), base_(base) {
  pop();
}

void PairRunReader::refill() {
  if (at_ == end_) badRun();  // the run ends early
  buffer_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(pieceBytes_, end_ - at_)));
  file_.read(at_, buffer_.data(), buffer_.size());
  at_ += buffer_.size();
  next_ = 0;
}

std::uint32_t PairRunReader::varint() {
  std::uint64_t v = 0;
  for (int shift = 0; shift < 35; shift += 7) {
    const unsigned char b = byte();
    v |= std::uint64_t{b & 0x7Fu} << shift;
    if (b < 0x80) {
      if (v > kLastRecord) badRun();
      return static_cast<std::uint32_t>(v);
    }
  }
  badRun();  // longer than any value written
}

void PairRunReader::popAny() {
  if (left_ > 0) {
    record_ += std::uint64_t{varint()} + 1;
    --left_;
  } else if (next_ == buffer_.size() && at_ == end_) {
    done_ = true;
    return;
  } else {
    trigram_ += varint();
    left_ = varint();
    record_ = base_ + varint();
  }
  setHead();
}

void PairRunReader::badRun() { throw EStreamError(msg::kStreamReadError); }

}  // namespace kolvex::index
