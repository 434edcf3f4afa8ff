#include "core/index/IndexBuilder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <queue>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "core/persist/FileStream.h"
#include "core/persist/PersistError.h"

namespace kolvex::index {
namespace {

constexpr std::size_t kListPiece = 64 * 1024;  // a posting list goes out in pieces this big

// Sorts the pairs by trigram alone, keeping the order of equal ones (two 12-bit passes of
// a counting sort), so each trigram's record numbers stay in the order they were added.
void sortByTrigram(std::vector<TrigramPair>& pairs, std::vector<TrigramPair>& scratch) {
  for (int shift : {32, 44}) {
    std::array<std::size_t, 4096> start{};
    for (std::uint64_t p : pairs) ++start[(p >> shift) & 0xFFF];
    std::size_t at = 0;
    for (std::size_t& s : start) at += std::exchange(s, at);
    for (std::uint64_t p : pairs) scratch[start[(p >> shift) & 0xFFF]++] = p;
    pairs.swap(scratch);
  }
}

// The pairs of the names, in record order (a trigram that occurs twice in a name gives
// two equal pairs; the lists drop repeats).
void makePairs(const std::string& names, const std::vector<RunName>& ends,
               std::vector<TrigramPair>& pairs) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(names.data());
  TrigramPair* out = pairs.data();
  std::uint32_t from = 0;
  for (const RunName& name : ends) {
    std::uint32_t trigram = foldByte(bytes[from]) << 8 | foldByte(bytes[from + 1]);
    for (std::uint32_t i = from + 2; i < name.end; ++i) {
      trigram = ((trigram << 8) | foldByte(bytes[i])) & 0xFFFFFF;
      *out++ = std::uint64_t{trigram} << 32 | name.record;
    }
    from = name.end;
  }
}

}  // namespace

IndexBuilder::IndexBuilder(const std::string& dir, FileOps& ops, std::size_t pairsInMemory)
    : ops_(ops),
      pairsInMemory_(std::max<std::size_t>(pairsInMemory, 1)),
      sizeFile_(ops, dir),
      timeFile_(ops, dir),
      nameEndFile_(ops, dir),
      codeFile_(ops, dir),
      nameFile_(ops, dir),
      pathFile_(ops, dir),
      pathRunFile_(ops, dir),
      pairFile_(ops, dir),
      tableFile_(ops, dir),
      postingFile_(ops, dir) {}

IndexBuilder::~IndexBuilder() {
  if (sorter_.joinable()) sorter_.join();
}

void IndexBuilder::add(const RecordView& record) {
  if (records_ >= std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("too many records for an index");
  const std::string_view name = NameUnderTest(record);
  if (name.size() > std::numeric_limits<std::uint32_t>::max() - namesSize_)
    throw std::length_error("too many name bytes for an index");
  const auto number = static_cast<std::uint32_t>(records_);

  auto code = std::find(palette_.begin(), palette_.end(), record.Attribute);
  if (code == palette_.end()) {
    if (palette_.size() == kMaxPalette)
      throw std::length_error("too many attribute values for an index");
    code = palette_.insert(palette_.end(), record.Attribute);
  }
  sizes_.push_back(record.FileSize);
  times_.push_back(record.CreateDateTime);
  codes_.push_back(static_cast<std::uint8_t>(code - palette_.begin()));
  names_ += name;
  namesSize_ += name.size();
  nameEnds_.push_back(static_cast<std::uint32_t>(namesSize_));

  // A folder's records stand together, so a path holds for a run of them.
  if (pathRuns_ == 0 || record.FilePath != lastPath_) {
    pathFile_.write(record.FilePath.data(), record.FilePath.size());
    pathsSize_ += record.FilePath.size();
    const PathRun run{number,
                      static_cast<std::uint32_t>(digestOf(record.FilePath.data(), record.FilePath.size())),
                      pathsSize_};
    pathRunFile_.write(&run, sizeof run);
    ++pathRuns_;
    lastPath_.assign(record.FilePath);
  }

  // The run's names, folded and cut into (trigram, record) pairs on the sorting thread.
  if (name.size() > 2) {
    if (runEnds_.empty()) runFirst_ = number;
    runNames_ += name;
    runEnds_.push_back({number, static_cast<std::uint32_t>(runNames_.size())});
    runPairs_ += name.size() - 2;
    if (runPairs_ >= pairsInMemory_) endRun();
  }

  ++records_;
  if (sizes_.size() == kBlockRecords) endBlock();
}

void IndexBuilder::endBlock() {
  const std::size_t n = sizes_.size();
  if (n == 0) return;
  blockDigests_.push_back(blockDigestOf({blockNameFrom_, n, sizes_.data(), times_.data(),
                                         nameEnds_.data(), codes_.data(), names_.data(),
                                         names_.size()}));
  sizeFile_.write(sizes_.data(), 8 * n);
  timeFile_.write(times_.data(), 8 * n);
  nameEndFile_.write(nameEnds_.data(), 4 * n);
  codeFile_.write(codes_.data(), n);
  nameFile_.write(names_.data(), names_.size());
  blockNameFrom_ = namesSize_;
  sizes_.clear();
  times_.clear();
  nameEnds_.clear();
  codes_.clear();
  names_.clear();
}

void IndexBuilder::endRun() {
  writeSortedRun();
  sortingBase_ = runFirst_;
  sortingNames_.swap(runNames_);
  sortingEnds_.swap(runEnds_);
  runNames_.clear();
  runEnds_.clear();
  // Sized here, so the work on the other thread cannot fail (kept from run to run: a
  // resize fills only what a run has more than the one before).
  sorting_.resize(runPairs_);
  scratch_.resize(runPairs_);
  encoded_.reserve(runPairs_ * kMaxVarint);
  runPairs_ = 0;
  sortingRun_ = true;
  auto sortAndEncode = [this] {
    makePairs(sortingNames_, sortingEnds_, sorting_);
    sortByTrigram(sorting_, scratch_);
    encodePairRun(sorting_, sortingBase_, encoded_);
  };
  try {
    sorter_ = std::thread(sortAndEncode);
  } catch (const std::system_error&) {
    sortAndEncode();  // no thread to be had: done here
  }
}

void IndexBuilder::writeSortedRun() {
  if (sorter_.joinable()) sorter_.join();
  if (!sortingRun_) return;
  sortingRun_ = false;
  pairFile_.write(encoded_.data(), encoded_.size());
  runs_.push_back({pairFile_.size(), sortingBase_});
  encoded_.clear();
}

void IndexBuilder::writePostings() {
  // Record numbers ascend from run to run, so a trigram's list is its part of each run, in
  // the order of the runs: take the runs' heads by (trigram, run).
  // Even a catalog whose pairs fit one run spills it: they are smaller on disk.
  if (!runEnds_.empty()) endRun();
  writeSortedRun();
  std::vector<TrigramPair>().swap(sorting_);
  std::vector<TrigramPair>().swap(scratch_);
  std::vector<PairRunReader> runs;
  runs.reserve(runs_.size());
  // A huge catalog has hundreds of runs: their read buffers share a bound.
  const std::size_t piece = std::clamp<std::size_t>(kMergeBytes / std::max<std::size_t>(runs_.size(), 1),
                                                    4096, PairRunReader::kPieceBytes);
  std::uint64_t from = 0;
  for (const Run& run : runs_)
    runs.emplace_back(pairFile_, std::exchange(from, run.end), run.end, run.base, piece);
  std::priority_queue<std::uint64_t, std::vector<std::uint64_t>, std::greater<>> heads;
  for (std::size_t r = 0; r < runs.size(); ++r)
    if (!runs[r].done()) heads.push((runs[r].head() >> 32) << 32 | r);

  std::string list;
  std::optional<Digest> longList;  // the digest of a list too long to hold at once
  std::uint64_t trigram = 0, previous = 0, listFrom = 0;
  bool first = true;
  Digest chunk;  // of the entries of the table's last chunk so far
  auto writeList = [&] {  // what the list holds so far goes out
    postingFile_.write(list.data(), list.size());
    postingsSize_ += list.size();
    list.clear();
  };
  auto endList = [&] {
    std::uint64_t digest;
    if (longList) {
      longList->add(list.data(), list.size());
      digest = longList->value();
      longList.reset();
    } else {
      digest = digestOf(list.data(), list.size());
    }
    writeList();
    const TrigramEntry entry{static_cast<std::uint32_t>(trigram),
                             static_cast<std::uint32_t>(digest), postingsSize_};
    tableFile_.write(&entry, sizeof entry);
    if (trigrams_ % kTableChunk == 0) {
      fences_.push_back({entry.trigram, 0, listFrom});
      chunk = Digest();
    }
    chunk.add(&entry, sizeof entry);
    fences_.back().digest = static_cast<std::uint32_t>(chunk.value());
    listFrom = postingsSize_;
    ++trigrams_;
  };
  while (!heads.empty()) {
    const std::uint64_t key = heads.top();
    heads.pop();
    PairRunReader& run = runs[key & 0xFFFFFFFFu];
    if (key >> 32 != trigram || first) {
      if (!first) endList();
      trigram = key >> 32;
      first = true;
    }
    for (; !run.done() && run.head() >> 32 == trigram; run.pop()) {
      const std::uint64_t number = run.head() & 0xFFFFFFFFu;
      if (!first && number == previous) continue;
      appendVarint(list, first ? number : number - previous - 1);
      previous = number;
      first = false;
      if (list.size() >= kListPiece) {
        if (!longList) longList.emplace();
        longList->add(list.data(), list.size());
        writeList();
      }
    }
    if (!run.done()) heads.push((run.head() >> 32) << 32 | (key & 0xFFFFFFFFu));
  }
  if (!first) endList();
}

void IndexBuilder::finish(const CatalogIdentity& catalog, FileStream& out) {
  endBlock();
  writePostings();
  Digest tables;  // the table fences, then the path runs and the palette
  tables.add(fences_.data(), fences_.size() * sizeof(TableFence));
  std::vector<char> piece(64 * 1024);
  for (std::uint64_t at = 0, size = pathRunFile_.size(); at < size; at += piece.size()) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), size - at));
    pathRunFile_.read(at, piece.data(), n);
    tables.add(piece.data(), n);
  }
  tables.add(palette_.data(), palette_.size() * 4);

  IndexHeader h{};
  std::memcpy(h.magic, kMagic, sizeof kMagic);
  h.version = kVersion;
  h.headerSize = sizeof(IndexHeader);
  h.catalog = catalog;
  h.recordCount = records_;
  h.trigramCount = trigrams_;
  h.pathRunCount = pathRuns_;
  h.paletteCount = palette_.size();
  h.postingsSize = postingsSize_;
  h.pathsSize = pathsSize_;
  h.namesSize = namesSize_;
  const std::optional<IndexLayout> layout = layoutOf(h);
  if (!layout) throw std::length_error("too many records for an index");
  const IndexLayout& l = *layout;
  h.fileSize = l.end;
  h.tablesDigest = tables.value();
  h.blocksDigest = digestOf(blockDigests_.data(), blockDigests_.size() * 8);
  h.selfDigest = digestOf(&h, offsetof(IndexHeader, selfDigest));

  out.write(&h, sizeof h);
  auto at = [&](std::uint64_t offset) {  // the zeros that align the next section
    static constexpr char kZeros[8] = {};
    if (out.size() > offset || offset - out.size() > sizeof kZeros)
      throw EStreamError(msg::kStreamWriteError);
    out.write(kZeros, offset - out.size());
  };
  at(l.blocks);
  out.write(blockDigests_.data(), blockDigests_.size() * 8);
  at(l.fences);
  out.write(fences_.data(), fences_.size() * sizeof(TableFence));
  at(l.sizes);
  out.appendFrom(sizeFile_.stream());
  at(l.times);
  out.appendFrom(timeFile_.stream());
  at(l.trigrams);
  out.appendFrom(tableFile_.stream());
  at(l.pathRuns);
  out.appendFrom(pathRunFile_.stream());
  at(l.nameEnds);
  out.appendFrom(nameEndFile_.stream());
  at(l.palette);
  out.write(palette_.data(), palette_.size() * 4);
  at(l.attributes);
  out.appendFrom(codeFile_.stream());
  at(l.postings);
  out.appendFrom(postingFile_.stream());
  at(l.paths);
  out.appendFrom(pathFile_.stream());
  at(l.names);
  out.appendFrom(nameFile_.stream());
  if (out.size() != l.end) throw EStreamError(msg::kStreamWriteError);
}

}  // namespace kolvex::index
