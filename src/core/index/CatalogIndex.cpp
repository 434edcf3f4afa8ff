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
  blocks_ = reinterpret_cast<const std::uint64_t*>(p + l.blocks);
  fences_ = reinterpret_cast<const TableFence*>(p + l.fences);
  sizes_ = reinterpret_cast<const std::int64_t*>(p + l.sizes);
  times_ = reinterpret_cast<const double*>(p + l.times);
  trigrams_ = reinterpret_cast<const TrigramEntry*>(p + l.trigrams);
  pathRuns_ = reinterpret_cast<const PathRun*>(p + l.pathRuns);
  nameEnds_ = reinterpret_cast<const std::uint32_t*>(p + l.nameEnds);
  palette_ = reinterpret_cast<const std::int32_t*>(p + l.palette);
  attributes_ = p + l.attributes;
  postings_ = p + l.postings;
  paths_ = reinterpret_cast<const char*>(p + l.paths);
  names_ = reinterpret_cast<const char*>(p + l.names);
  if (digestOf(blocks_, l.blockCount * 8) != h.blocksDigest ||
      tablesDigestOf(p, h, l) != h.tablesDigest)
    return false;
  // The fences are searched by halving and bound the chunks of the table: check them once
  // (each chunk is checked against them when a lookup first lands in it).
  for (std::uint64_t c = 0; c < l.fenceCount; ++c) {
    const TableFence& f = fences_[c];
    if (c == 0 ? f.postingsFrom != 0
               : f.firstTrigram <= fences_[c - 1].firstTrigram ||
                     f.postingsFrom <= fences_[c - 1].postingsFrom ||
                     f.postingsFrom >= h.postingsSize)
      return false;
  }
  // The path runs too: every record falls in one, and their paths lie within the paths.
  if ((h.recordCount > 0) != (h.pathRunCount > 0)) return false;
  std::uint64_t previousEnd = 0;
  for (std::uint64_t i = 0; i < h.pathRunCount; ++i) {
    const PathRun& r = pathRuns_[i];
    if ((i == 0 ? r.firstRecord != 0 : r.firstRecord <= pathRuns_[i - 1].firstRecord) ||
        r.firstRecord >= h.recordCount || r.pathEnd < previousEnd || r.pathEnd > h.pathsSize)
      return false;
    previousEnd = r.pathEnd;
  }
  checked_.assign(l.blockCount, false);
  checkedChunks_.assign(l.fenceCount, false);
  checkedRuns_.assign(h.pathRunCount, false);
  lastRun_ = nullptr;
  return true;
}

std::string_view CatalogIndex::name(std::uint64_t i) const {
  const std::uint32_t from = i == 0 ? 0 : nameEnds_[i - 1];
  return {names_ + from, nameEnds_[i] - from};
}

std::string_view CatalogIndex::path(std::uint64_t i) const {
  const PathRun* end = pathRuns_ + header_.pathRunCount;
  // Searches ask in ascending order: the run of the last answer, or one shortly after it.
  const PathRun* run = lastRun_;
  if (!run || run->firstRecord > i) run = pathRuns_;
  for (int step = 0; run + 1 < end && (run + 1)->firstRecord <= i; ++step, ++run)
    if (step == 8) {
      run = std::upper_bound(run, end, i, [](std::uint64_t v, const PathRun& r) {
              return v < r.firstRecord;
            }) - 1;
      break;
    }
  lastRun_ = run;
  const std::uint64_t from = run == pathRuns_ ? 0 : (run - 1)->pathEnd;
  return {paths_ + from, run->pathEnd - from};
}

bool CatalogIndex::checkRun(const PathRun* run) {
  const std::size_t k = static_cast<std::size_t>(run - pathRuns_);
  if (checkedRuns_[k]) return true;
  const std::uint64_t from = k == 0 ? 0 : (run - 1)->pathEnd;
  if (static_cast<std::uint32_t>(digestOf(paths_ + from, run->pathEnd - from)) != run->digest)
    return false;
  checkedRuns_[k] = true;
  return true;
}

bool CatalogIndex::checkBlock(std::uint64_t block) {
  if (checked_[block]) return true;
  const std::uint64_t from = block * kBlockRecords;
  const std::uint64_t to = std::min(header_.recordCount, from + kBlockRecords);
  // The name ends must rise within the names before a name is cut out with them, and the
  // attributes name places in the palette. (Loops without early exits, which the compiler
  // turns into vector code: this is the first pass over these columns.)
  const std::uint32_t first = from == 0 ? 0 : nameEnds_[from - 1];
  const std::uint32_t* ends = nameEnds_ + from;
  const std::uint8_t* codes = attributes_ + from;
  const std::uint64_t n = to - from;
  // Unsigned order as signed order of the values with their top bit flipped.
  auto ordered = [](std::uint32_t v) { return static_cast<std::int32_t>(v ^ 0x80000000u); };
  int falls = ends[0] < first;
  for (std::uint64_t i = 1; i < n; ++i) falls |= ordered(ends[i]) < ordered(ends[i - 1]);
  std::uint8_t topCode = 0;
  for (std::uint64_t i = 0; i < n; ++i) topCode = std::max(topCode, codes[i]);
  const std::uint32_t last = ends[n - 1];
  if (falls || last > header_.namesSize || topCode >= header_.paletteCount) return false;
  if (blockDigestOf(file_.data(), layout_, header_.recordCount, block, first, last) !=
      blocks_[block])
    return false;
  checked_[block] = true;
  return true;
}

bool CatalogIndex::check(const std::vector<std::uint32_t>* numbers) {
  if (numbers) {
    // Ascending numbers: their runs are met in order.
    const PathRun* run = pathRuns_;
    const PathRun* end = pathRuns_ + header_.pathRunCount;
    std::uint64_t block = ~std::uint64_t{0};
    for (std::uint32_t n : *numbers) {
      if (n / kBlockRecords != block && !checkBlock(block = n / kBlockRecords)) return false;
      while (run + 1 < end && (run + 1)->firstRecord <= n) ++run;
      if (!checkRun(run)) return false;
    }
    return true;
  }
  for (std::uint64_t b = 0; b < checked_.size(); ++b)
    if (!checkBlock(b)) return false;
  for (std::uint64_t k = 0; k < header_.pathRunCount; ++k)
    if (!checkRun(pathRuns_ + k)) return false;
  return true;
}

bool CatalogIndex::checkAll() {
  if (!check(nullptr)) return false;
  try {
    for (std::uint64_t c = 0; c < layout_.fenceCount; ++c)
      if (!checkChunk(c)) return false;
    for (std::uint64_t i = 0; i < header_.trigramCount; ++i) decode(*postings(trigrams_[i].trigram));
  } catch (const IndexDamage&) {
    return false;
  }
  return true;
}

bool CatalogIndex::checkChunk(std::uint64_t c) {
  if (checkedChunks_[c]) return true;
  const TrigramEntry* first = trigrams_ + c * kTableChunk;
  const std::uint64_t n = std::min(kTableChunk, header_.trigramCount - c * kTableChunk);
  const bool last = c + 1 == layout_.fenceCount;
  // Its entries ascend from the fence's trigram to below the next one's, and their lists
  // fill the postings from the fence's start to the next fence's.
  const TableFence& f = fences_[c];
  const std::uint64_t trigramTo = last ? 0x1000000u : fences_[c + 1].firstTrigram;
  const std::uint64_t postingsTo = last ? header_.postingsSize : fences_[c + 1].postingsFrom;
  if (static_cast<std::uint32_t>(digestOf(first, n * sizeof(TrigramEntry))) != f.digest ||
      first->trigram != f.firstTrigram || first[n - 1].postingsEnd != postingsTo)
    return false;
  std::uint64_t previousEnd = f.postingsFrom;
  for (std::uint64_t i = 0; i < n; ++i) {
    const TrigramEntry& t = first[i];
    if ((i > 0 && t.trigram <= first[i - 1].trigram) || t.trigram >= trigramTo ||
        t.postingsEnd <= previousEnd)
      return false;
    previousEnd = t.postingsEnd;
  }
  checkedChunks_[c] = true;
  return true;
}

std::optional<std::string_view> CatalogIndex::postings(std::uint32_t trigram) {
  // The chunk that would hold it: the last one starting at or below it.
  const TableFence* fencesEnd = fences_ + layout_.fenceCount;
  const TableFence* fence = std::upper_bound(
      fences_, fencesEnd, trigram, [](std::uint32_t v, const TableFence& f) { return v < f.firstTrigram; });
  if (fence == fences_) return std::nullopt;
  const std::uint64_t c = static_cast<std::uint64_t>(fence - 1 - fences_);
  if (!checkChunk(c)) throw IndexDamage{};
  const TrigramEntry* begin = trigrams_ + c * kTableChunk;
  const TrigramEntry* end = begin + std::min(kTableChunk, header_.trigramCount - c * kTableChunk);
  const TrigramEntry* t = std::lower_bound(
      begin, end, trigram, [](const TrigramEntry& e, std::uint32_t v) { return e.trigram < v; });
  if (t == end || t->trigram != trigram) return std::nullopt;
  const std::uint64_t from = t == begin ? fences_[c].postingsFrom : (t - 1)->postingsEnd;
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
