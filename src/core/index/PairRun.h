#pragma once
// A sorted run of (trigram, record) pairs as the index builder spills it, in a compact
// form: pairs sorted by trigram and then record go out a trigram at a time as the gap from
// the previous trigram, the number of records less one, the first record's distance from
// the run's first record, then each further record's gap less one, all as varints (a
// repeated pair is dropped). About 1 to 1.3 bytes a pair instead of 8.
#include <cstdint>
#include <string>
#include <vector>

#include "core/index/SpillFile.h"

namespace kolvex::index {

// One pair: trigram << 32 | record number.
using TrigramPair = std::uint64_t;

// Writes v as a LEB128 varint (7 bits a byte, low first) at to; returns its length.
constexpr std::size_t kMaxVarint = 10;
inline std::size_t putVarint(std::uint64_t v, unsigned char* to) {
  std::size_t n = 0;
  for (; v >= 0x80; v >>= 7) to[n++] = static_cast<unsigned char>((v & 0x7F) | 0x80);
  to[n++] = static_cast<unsigned char>(v);
  return n;
}
inline void appendVarint(std::string& out, std::uint64_t v) {
  unsigned char bytes[kMaxVarint];
  out.append(reinterpret_cast<const char*>(bytes), putVarint(v, bytes));
}

// Appends the pairs, sorted by trigram and then record, none below record base, to out
// in the form above (no file call: the builder encodes on a thread of its own).
void encodePairRun(const std::vector<TrigramPair>& pairs, std::uint32_t base, std::string& out);

// Reads back, in order, a run written by writePairRun at [from, to) of file, a piece of at
// most pieceBytes (at least 1) at a time. The bytes were written by this process, so lengths are checked, not contents: a
// run that ends early, a varint too long or a value out of range throws EStreamError.
class PairRunReader {
 public:
  static constexpr std::size_t kPieceBytes = 16 * 1024;
  PairRunReader(SpillFile& file, std::uint64_t from, std::uint64_t to, std::uint32_t base,
                std::size_t pieceBytes = kPieceBytes);

  bool done() const { return done_; }
  TrigramPair head() const { return head_; }  // the pair at hand, while not done
  void pop() {
    // Most gaps within a trigram take one byte.
    if (left_ > 0 && next_ < buffer_.size() && buffer_[next_] < 0x80) {
      record_ += buffer_[next_++] + 1u;
      --left_;
      setHead();
    } else {
      popAny();
    }
  }

 private:
  static constexpr std::uint64_t kLastTrigram = 0xFFFFFF, kLastRecord = 0xFFFFFFFF;
  void popAny();
  void setHead() {
    if (trigram_ > kLastTrigram || record_ > kLastRecord) badRun();
    head_ = trigram_ << 32 | record_;
  }
  [[noreturn]] static void badRun();
  std::uint32_t varint();
  unsigned char byte() {
    if (next_ == buffer_.size()) refill();
    return buffer_[next_++];
  }
  void refill();

  SpillFile& file_;
  std::uint64_t at_, end_;
  std::size_t pieceBytes_;
  std::vector<unsigned char> buffer_;
  std::size_t next_ = 0;
  std::uint64_t base_, trigram_ = 0, record_ = 0, left_ = 0;  // records left in the group
  TrigramPair head_ = 0;
  bool done_ = false;
};

}  // namespace kolvex::index
