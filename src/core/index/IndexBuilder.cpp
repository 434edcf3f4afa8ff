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

void IndexBuilder::add(const RecordView& record) {
  if (sizes_.size() >= std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("too many records for an index");
  const std::string_view name = NameUnderTest(record);
  if (name.size() > std::numeric_limits<std::uint32_t>::max() - names_.size())
    throw std::length_error("too many name bytes for an index");
  names_ += name;

  const auto number = static_cast<std::uint32_t>(sizes_.size());
  sizes_.push_back(record.FileSize);
  times_.push_back(record.CreateDateTime);
  attributes_.push_back(record.Attribute);
  nameEnds_.push_back(static_cast<std::uint32_t>(names_.size()));
  // A folder's records stand together, so a path holds for a run of them.
  const std::size_t runs = pathRuns_.size();
  const std::uint64_t lastPath = runs < 2 ? 0 : pathRuns_[runs - 2].pathEnd;
  if (runs == 0 || std::string_view(paths_).substr(lastPath) != record.FilePath) {
    paths_ += record.FilePath;
    pathRuns_.push_back({number, static_cast<std::uint32_t>(digestOf(record.FilePath.data(),
                                                                     record.FilePath.size())),
                         paths_.size()});
  }

  folded_ = foldName(name);
  const auto* folded = reinterpret_cast<const unsigned char*>(folded_.data());
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

  const std::size_t n = sizes_.size();
  IndexHeader h{};
  std::memcpy(h.magic, kMagic, sizeof kMagic);
  h.version = kVersion;
  h.headerSize = sizeof(IndexHeader);
  h.catalog = catalog;
  h.recordCount = n;
  h.trigramCount = table.size();
  h.pathRunCount = pathRuns_.size();
  h.paletteCount = palette.size();
  h.postingsSize = postings.size();
  h.pathsSize = paths_.size();
  h.namesSize = names_.size();
  const std::optional<IndexLayout> layout = layoutOf(h);
  if (!layout) throw std::length_error("too many records for an index");
  const IndexLayout& l = *layout;

  std::string out(l.end, '\0');
  put(out, l.sizes, sizes_.data(), n);
  put(out, l.times, times_.data(), n);
  put(out, l.trigrams, table.data(), table.size());
  put(out, l.pathRuns, pathRuns_.data(), pathRuns_.size());
  put(out, l.nameEnds, nameEnds_.data(), n);
  put(out, l.palette, palette.data(), palette.size());
  put(out, l.attributes, codes.data(), n);
  put(out, l.postings, postings.data(), postings.size());
  put(out, l.paths, paths_.data(), paths_.size());
  put(out, l.names, names_.data(), names_.size());
  const auto* bytes = reinterpret_cast<const unsigned char*>(out.data());
  std::vector<std::uint64_t> blocks(l.blockCount);
  for (std::uint64_t b = 0; b < l.blockCount; ++b) {
    const std::uint64_t from = b * kBlockRecords;
    const std::uint64_t to = std::min<std::uint64_t>(n, from + kBlockRecords);
    blocks[b] = blockDigestOf(bytes, l, n, b, from == 0 ? 0 : nameEnds_[from - 1],
                              nameEnds_[to - 1]);
  }
  put(out, l.blocks, blocks.data(), blocks.size());

  h.fileSize = out.size();
  h.tablesDigest = tablesDigestOf(bytes, h, l);
  h.blocksDigest = digestOf(out.data() + l.blocks, blocks.size() * 8);
  h.selfDigest = digestOf(&h, offsetof(IndexHeader, selfDigest));
  std::memcpy(out.data(), &h, sizeof h);
  return out;
}

}  // namespace kolvex::index
