#include "core/index/CatalogIndex.h"

#include <algorithm>
#include <cstring>


namespace kolvex::index {
namespace {

std::vector<std::uint32_t> intersect(const std::vector<std::uint32_t>& a,
                                     const std::vector<std::uint32_t>& b) {
  std::vector<std::uint32_t> out;
  std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
  return out;
}

}  // namespace

bool CatalogIndex::open(const std::string& indexPath, const CatalogFile& catalog) {
  if (!file_.open(indexPath) || file_.size() < sizeof(IndexHeader)) return false;
  std::memcpy(&header_, file_.data(), sizeof header_);
  const IndexHeader& h = header_;
  if (std::memcmp(h.magic, kMagic, sizeof kMagic) != 0 || h.version != kVersion ||
      h.headerSize != sizeof(IndexHeader) ||
      h.selfDigest != digestOf(&h, offsetof(IndexHeader, selfDigest)) || h.fileSize != file_.size())
    return false;
  // The sections one after the other must fill the file exactly.
  const std::optional<IndexLayout> layout = layoutOf(h);
  if (!layout || layout->end != h.fileSize) return false;
  const std::optional<CatalogIdentity> now = catalog.identity(h.catalog.recordBase);
  if (!now || !(*now == h.catalog)) return false;

  layout_ = *layout;
  const IndexLayout& l = layout_;
  const unsigned char* p = file_.data();
  blocks_ = reinterpret_cast<const IndexBlock*>(p + l.blocks);
  sizes_ = reinterpret_cast<const std::int64_t*>(p + l.sizes);
  times_ = reinterpret_cast<const double*>(p + l.times);
  trigrams_ = reinterpret_cast<const TrigramEntry*>(p + l.trigrams);
  positions_ = reinterpret_cast<const std::uint32_t*>(p + l.positions);
  nameEnds_ = reinterpret_cast<const std::uint32_t*>(p + l.nameEnds);
  palette_ = reinterpret_cast<const std::int32_t*>(p + l.palette);
  attributes_ = p + l.attributes;
  postings_ = p + l.postings;
  names_ = reinterpret_cast<const char*>(p + l.names);
  if (digestOf(blocks_, l.blockCount * sizeof(IndexBlock)) != h.blocksDigest ||
      digestOf({{trigrams_, h.trigramCount * sizeof(TrigramEntry)},
                {palette_, h.paletteCount * 4}}) != h.tablesDigest)
    return false;
  // The table is searched by halving and its ends bound the lists: check both once.
  std::uint64_t previousEnd = 0;
  for (std::uint64_t i = 0; i < h.trigramCount; ++i) {
    const TrigramEntry& t = trigrams_[i];
    if ((i > 0 && t.trigram <= trigrams_[i - 1].trigram) || t.trigram > 0xFFFFFFu ||
        t.postingsEnd <= previousEnd || t.postingsEnd > h.postingsSize)
      return false;
    previousEnd = t.postingsEnd;
  }
  checked_.assign(l.blockCount, false);
  return true;
}

std::string_view CatalogIndex::name(std::uint64_t i) const {
  const std::uint32_t from = i == 0 ? 0 : nameEnds_[i - 1];
  return {names_ + from, nameEnds_[i] - from};
}

bool CatalogIndex::checkBlock(std::uint64_t block) {
  if (checked_[block]) return true;
  const std::uint64_t from = block * kBlockRecords;
  const std::uint64_t to = std::min(header_.recordCount, from + kBlockRecords);
  // The name ends must rise within the names before a name is cut out with them, and the
  // attributes name places in the palette.
  std::uint32_t previous = from == 0 ? 0 : nameEnds_[from - 1];
  const std::uint32_t first = previous;
  for (std::uint64_t i = from; i < to; ++i) {
    if (nameEnds_[i] < previous || nameEnds_[i] > header_.namesSize ||
        attributes_[i] >= header_.paletteCount)
      return false;
    previous = nameEnds_[i];
  }
  if (blockDigestOf(file_.data(), layout_, header_.recordCount, block, first, previous) !=
      blocks_[block].digest)
    return false;
  checked_[block] = true;
  return true;
}

bool CatalogIndex::check(const std::vector<std::uint32_t>* numbers) {
  if (numbers) {
    for (std::uint32_t n : *numbers)
      if (!checkBlock(n / kBlockRecords)) return false;
    return true;
  }
  for (std::uint64_t b = 0; b < checked_.size(); ++b)
    if (!checkBlock(b)) return false;
  return true;
}

bool CatalogIndex::checkAll() {
  if (!check(nullptr)) return false;
  try {
    for (std::uint64_t i = 0; i < header_.trigramCount; ++i) decode(*postings(trigrams_[i].trigram));
  } catch (const IndexDamage&) {
    return false;
  }
  return true;
}

std::optional<std::string_view> CatalogIndex::postings(std::uint32_t trigram) const {
  const TrigramEntry* end = trigrams_ + header_.trigramCount;
  const TrigramEntry* t = std::lower_bound(
      trigrams_, end, trigram, [](const TrigramEntry& e, std::uint32_t v) { return e.trigram < v; });
  if (t == end || t->trigram != trigram) return std::nullopt;
  const std::uint64_t from = t == trigrams_ ? 0 : (t - 1)->postingsEnd;
  std::string_view list(reinterpret_cast<const char*>(postings_ + from), t->postingsEnd - from);
  if (static_cast<std::uint32_t>(digestOf(list.data(), list.size())) != t->digest) throw IndexDamage{};
  return list;
}

std::vector<std::uint32_t> CatalogIndex::decode(std::string_view list) const {
  std::vector<std::uint32_t> out;
  std::uint64_t previous = 0;
  bool first = true;
  for (std::size_t i = 0; i < list.size();) {
    std::uint64_t v = 0;
    for (int shift = 0;; shift += 7) {
      if (i == list.size() || shift > 35) throw IndexDamage{};
      const auto byte = static_cast<unsigned char>(list[i++]);
      v |= std::uint64_t{byte & 0x7Fu} << shift;
      if (!(byte & 0x80)) break;
    }
    const std::uint64_t number = first ? v : previous + 1 + v;
    if (number >= header_.recordCount) throw IndexDamage{};
    out.push_back(static_cast<std::uint32_t>(number));
    previous = number;
    first = false;
  }
  return out;
}

std::optional<std::vector<std::uint32_t>> CatalogIndex::candidates(
    const std::vector<std::vector<std::string>>& runsPerMask) {
  std::vector<std::uint32_t> all;
  for (const std::vector<std::string>& runs : runsPerMask) {
    std::vector<std::uint32_t> trigrams;
    for (const std::string& run : runs) {
      const auto* bytes = reinterpret_cast<const unsigned char*>(run.data());
      for (std::size_t i = 0; i + 3 <= run.size(); ++i) trigrams.push_back(trigramAt(bytes + i));
    }
    if (trigrams.empty()) return std::nullopt;  // this mask may match any name
    std::sort(trigrams.begin(), trigrams.end());
    trigrams.erase(std::unique(trigrams.begin(), trigrams.end()), trigrams.end());
    std::vector<std::string_view> lists;
    bool absent = false;
    for (std::uint32_t t : trigrams) {
      const std::optional<std::string_view> list = postings(t);
      if (!list) {
        absent = true;  // no name holds it, so no name matches this mask
        break;
      }
      lists.push_back(*list);
    }
    if (absent) continue;
    // Shortest lists first; a long list is only worth decoding while it still thins out
    // a candidate set that is large beside it (each candidate is tested anyway).
    std::sort(lists.begin(), lists.end(),
              [](std::string_view a, std::string_view b) { return a.size() < b.size(); });
    std::vector<std::uint32_t> found = decode(lists[0]);
    for (std::size_t k = 1; k < lists.size() && !found.empty(); ++k) {
      if (lists[k].size() > 16 * found.size()) break;
      found = intersect(found, decode(lists[k]));
    }
    std::vector<std::uint32_t> merged;
    std::set_union(all.begin(), all.end(), found.begin(), found.end(), std::back_inserter(merged));
    all.swap(merged);
  }
  return all;
}

}  // namespace kolvex::index
