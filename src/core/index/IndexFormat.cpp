#include "core/index/IndexFormat.h"

#include <algorithm>

#define XXH_STATIC_LINKING_ONLY  // XXH3_state_t on the stack
#include <xxhash.h>

namespace kolvex::index {
namespace {

// Adds count items of each bytes at offset, aligned for them; false on overflow.
bool section(std::uint64_t& offset, std::uint64_t count, std::uint64_t each, std::uint64_t& start) {
  const std::uint64_t aligned = (offset + each - 1) / each * each;
  std::uint64_t bytes;
  if (aligned < offset || __builtin_mul_overflow(count, each, &bytes) ||
      __builtin_add_overflow(aligned, bytes, &offset))
    return false;
  start = aligned;
  return true;
}

}  // namespace

std::optional<IndexLayout> layoutOf(const IndexHeader& h) {
  if (h.recordCount > 0xFFFFFFFFu || h.namesSize > 0xFFFFFFFFu || h.paletteCount > kMaxPalette)
    return std::nullopt;
  IndexLayout l{};
  l.blockCount = (h.recordCount + kBlockRecords - 1) / kBlockRecords;
  l.fenceCount = h.trigramCount / kTableChunk + (h.trigramCount % kTableChunk != 0);
  std::uint64_t at = sizeof(IndexHeader);
  if (!section(at, l.blockCount, 8, l.blocks) ||
      !section(at, l.fenceCount, sizeof(TableFence), l.fences) ||
      !section(at, h.recordCount, 8, l.sizes) || !section(at, h.recordCount, 8, l.times) ||
      !section(at, h.trigramCount, sizeof(TrigramEntry), l.trigrams) ||
      !section(at, h.pathRunCount, sizeof(PathRun), l.pathRuns) ||
      !section(at, h.recordCount, 4, l.nameEnds) ||
      !section(at, h.paletteCount, 4, l.palette) || !section(at, h.recordCount, 1, l.attributes) ||
      !section(at, h.postingsSize, 1, l.postings) || !section(at, h.pathsSize, 1, l.paths) ||
      !section(at, h.namesSize, 1, l.names))
    return std::nullopt;
  l.end = at;
  return l;
}

std::string foldName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(foldByte(static_cast<unsigned char>(c)));
  return folded;
}

std::uint64_t digestOf(const void* data, std::size_t size) { return XXH3_64bits(data, size); }

std::uint64_t digestOf(std::initializer_list<Piece> pieces) {
  XXH3_state_t state;
  XXH3_64bits_reset(&state);
  for (const Piece& p : pieces) XXH3_64bits_update(&state, p.data, p.size);
  return XXH3_64bits_digest(&state);
}

static_assert(sizeof(XXH3_state_t) <= 640 && alignof(XXH3_state_t) <= 64);

Digest::Digest() { XXH3_64bits_reset(reinterpret_cast<XXH3_state_t*>(state_)); }

void Digest::add(const void* data, std::size_t size) {
  XXH3_64bits_update(reinterpret_cast<XXH3_state_t*>(state_), data, size);
}

std::uint64_t Digest::value() const {
  return XXH3_64bits_digest(reinterpret_cast<const XXH3_state_t*>(state_));
}

std::uint64_t blockDigestOf(const BlockSlices& b) {
  return digestOf({{&b.nameFrom, sizeof b.nameFrom},
                   {b.sizes, 8 * b.count},
                   {b.times, 8 * b.count},
                   {b.nameEnds, 4 * b.count},
                   {b.attributes, b.count},
                   {b.names, b.namesSize}});
}

std::uint64_t blockDigestOf(const unsigned char* file, const IndexLayout& l,
                            std::uint64_t recordCount, std::uint64_t b, std::uint64_t nameFrom,
                            std::uint64_t nameTo) {
  const std::uint64_t from = b * kBlockRecords;
  const std::uint64_t n = std::min(recordCount, from + kBlockRecords) - from;
  return blockDigestOf({nameFrom, n, file + l.sizes + 8 * from, file + l.times + 8 * from,
                        file + l.nameEnds + 4 * from, file + l.attributes + from,
                        file + l.names + nameFrom, nameTo - nameFrom});
}

std::uint64_t tablesDigestOf(const unsigned char* file, const IndexHeader& h,
                             const IndexLayout& l) {
  return digestOf({{file + l.fences, l.fenceCount * sizeof(TableFence)},
                   {file + l.pathRuns, h.pathRunCount * sizeof(PathRun)},
                   {file + l.palette, h.paletteCount * 4}});
}

}  // namespace kolvex::index
