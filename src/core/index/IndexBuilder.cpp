#include "core/index/IndexBuilder.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "core/persist/RecordScanner.h"

namespace kolvex::index {
namespace {

void appendVarint(std::string& out, std::uint64_t v) {
  while (v >= 0x80) {
    out += static_cast<char>((v & 0x7F) | 0x80);
    v >>= 7;
  }
  out += static_cast<char>(v);
}

template <class T>
void put(std::string& out, std::uint64_t offset, const T* items, std::size_t count) {
  if (count > 0) std::memcpy(out.data() + offset, items, count * sizeof(T));
}

}  // namespace

void IndexBuilder::add(std::uint64_t position, const RecordView& record) {
  if (positions_.size() >= std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("too many records for an index");
  const std::string_view name = NameUnderTest(record);
  const std::size_t start = names_.size();
  if (name.size() > std::numeric_limits<std::uint32_t>::max() - start)
    throw std::length_error("too many name bytes for an index");
  names_ += name;
  auto* folded = reinterpret_cast<unsigned char*>(names_.data() + start);
  for (std::size_t i = 0; i < name.size(); ++i) folded[i] = foldByte(folded[i]);

  const auto number = static_cast<std::uint32_t>(positions_.size());
  positions_.push_back(position);
  sizes_.push_back(record.FileSize);
  times_.push_back(record.CreateDateTime);
  attributes_.push_back(record.Attribute);
  nameEnds_.push_back(static_cast<std::uint32_t>(names_.size()));

  nameTrigrams_.clear();
  for (std::size_t i = 0; i + 3 <= name.size(); ++i) nameTrigrams_.push_back(trigramAt(folded + i));
  std::sort(nameTrigrams_.begin(), nameTrigrams_.end());
  nameTrigrams_.erase(std::unique(nameTrigrams_.begin(), nameTrigrams_.end()), nameTrigrams_.end());
  for (std::uint32_t t : nameTrigrams_) pairs_.push_back(std::uint64_t{t} << 32 | number);
}

std::string IndexBuilder::finish(const CatalogIdentity& catalog) {
  // Records were added in order, so a stable order by trigram keeps each list ascending.
  std::sort(pairs_.begin(), pairs_.end());
  std::vector<TrigramEntry> table;
  std::string postings;
  for (std::size_t i = 0; i < pairs_.size();) {
    const auto trigram = static_cast<std::uint32_t>(pairs_[i] >> 32);
    const std::size_t start = postings.size();
    std::uint64_t previous = 0;
    bool first = true;
    for (; i < pairs_.size() && (pairs_[i] >> 32) == trigram; ++i) {
      const std::uint64_t number = pairs_[i] & 0xFFFFFFFFu;
      appendVarint(postings, first ? number : number - previous - 1);
      previous = number;
      first = false;
    }
    const auto digest =
        static_cast<std::uint32_t>(digestOf(postings.data() + start, postings.size() - start));
    table.push_back({trigram, digest, postings.size()});
  }

  // Attributes as places in a palette of the values that occur.
  std::vector<std::int32_t> palette(attributes_);
  std::sort(palette.begin(), palette.end());
  palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
  if (palette.size() > kMaxPalette) throw std::length_error("too many attribute values for an index");
  std::vector<std::uint8_t> codes(attributes_.size());
  for (std::size_t i = 0; i < codes.size(); ++i)
    codes[i] = static_cast<std::uint8_t>(
        std::lower_bound(palette.begin(), palette.end(), attributes_[i]) - palette.begin());

  const std::size_t n = positions_.size();
  IndexHeader h{};
  std::memcpy(h.magic, kMagic, sizeof kMagic);
  h.version = kVersion;
  h.headerSize = sizeof(IndexHeader);
  h.catalog = catalog;
  h.recordCount = n;
  h.trigramCount = table.size();
  h.paletteCount = palette.size();
  h.postingsSize = postings.size();
  h.namesSize = names_.size();
  const std::optional<IndexLayout> layout = layoutOf(h);
  if (!layout) throw std::length_error("too many records for an index");
  const IndexLayout& l = *layout;

  // Positions within a block, from the block's first record.
  std::vector<IndexBlock> blocks(l.blockCount);
  std::vector<std::uint32_t> offsets(n);
  for (std::size_t i = 0; i < n; ++i) {
    IndexBlock& b = blocks[i / kBlockRecords];
    if (i % kBlockRecords == 0) b.positionBase = positions_[i];
    const std::uint64_t offset = positions_[i] - b.positionBase;
    if (positions_[i] < b.positionBase || offset > std::numeric_limits<std::uint32_t>::max())
      throw std::length_error("records too far apart for an index");
    offsets[i] = static_cast<std::uint32_t>(offset);
  }

  std::string out(l.end, '\0');
  put(out, l.sizes, sizes_.data(), n);
  put(out, l.times, times_.data(), n);
  put(out, l.trigrams, table.data(), table.size());
  put(out, l.positions, offsets.data(), n);
  put(out, l.nameEnds, nameEnds_.data(), n);
  put(out, l.palette, palette.data(), palette.size());
  put(out, l.attributes, codes.data(), n);
  put(out, l.postings, postings.data(), postings.size());
  put(out, l.names, names_.data(), names_.size());
  const auto* bytes = reinterpret_cast<const unsigned char*>(out.data());
  for (std::uint64_t b = 0; b < l.blockCount; ++b) {
    const std::uint64_t from = b * kBlockRecords;
    const std::uint64_t to = std::min<std::uint64_t>(n, from + kBlockRecords);
    blocks[b].digest = blockDigestOf(bytes, l, n, b, from == 0 ? 0 : nameEnds_[from - 1],
                                     nameEnds_[to - 1]);
  }
  put(out, l.blocks, blocks.data(), blocks.size());

  h.fileSize = out.size();
  h.tablesDigest = digestOf({{out.data() + l.trigrams, table.size() * sizeof(TrigramEntry)},
                             {out.data() + l.palette, palette.size() * 4}});
  h.blocksDigest = digestOf(out.data() + l.blocks, blocks.size() * sizeof(IndexBlock));
  h.selfDigest = digestOf(&h, offsetof(IndexHeader, selfDigest));
  std::memcpy(out.data(), &h, sizeof h);
  return out;
}

}  // namespace kolvex::index
