#pragma once
// One catalog's index, mapped and checked. open() accepts it only when it was made from
// the catalog as it is now and its header and tables are intact; the record blocks, the
// chunks of the trigram table and the posting lists are checked when a search first
// touches them. Anything that does not check out makes the caller read the catalog instead.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/index/IndexFormat.h"
#include "core/index/CatalogFile.h"
#include "core/index/MappedFile.h"

namespace kolvex::index {

class CatalogIndex {
 public:
  // Maps the index file; false when it is missing, damaged or made from another catalog
  // than the one open in catalog.
  bool open(const std::string& indexPath, const CatalogFile& catalog);

  std::uint64_t records() const { return header_.recordCount; }
  IndexEntry entry(std::uint64_t i) const {
    return {sizes_[i], times_[i], palette_[attributes_[i]]};
  }
  // The name under test of record i, from a checked block (see check()).
  std::string_view name(std::uint64_t i) const;
  // The path of record i, from a checked run (see check()).
  std::string_view path(std::uint64_t i) const;

  // The records whose folded names hold every run of at least one mask, given as the runs
  // of each mask (TMask::literalRuns): ascending record numbers, or nothing when some
  // mask has no run of three bytes (every record is a candidate then). Throws IndexDamage
  // for a posting list that does not check out.
  std::optional<std::vector<std::uint32_t>> candidates(
      const std::vector<std::vector<std::string>>& runsPerMask);

  // Checks the blocks and path runs that hold these records (every one without a list);
  // false when one is damaged.
  bool check(const std::vector<std::uint32_t>* numbers);
  // Checks every block and every posting list.
  bool checkAll();

 private:
  bool checkBlock(std::uint64_t block);
  bool checkChunk(std::uint64_t chunk);
  bool checkRun(const PathRun* run);
  // The posting list of a trigram, or nothing when no name holds it.
  // Throws IndexDamage when it or the chunk of the table it lies in does not check out.
  std::optional<std::string_view> postings(std::uint32_t trigram);
  std::vector<std::uint32_t> decode(std::string_view list) const;

  MappedFile file_;
  IndexHeader header_{};
  IndexLayout layout_{};
  const std::uint64_t* blocks_ = nullptr;
  const TableFence* fences_ = nullptr;
  const std::int64_t* sizes_ = nullptr;
  const double* times_ = nullptr;
  const TrigramEntry* trigrams_ = nullptr;
  const PathRun* pathRuns_ = nullptr;
  const std::uint32_t* nameEnds_ = nullptr;
  const std::int32_t* palette_ = nullptr;
  const std::uint8_t* attributes_ = nullptr;
  const unsigned char* postings_ = nullptr;
  const char* paths_ = nullptr;
  const char* names_ = nullptr;
  std::vector<bool> checked_, checkedRuns_, checkedChunks_;
  mutable const PathRun* lastRun_ = nullptr;
};

// A part of an index that does not check out, found while a search was using it.
struct IndexDamage {};

}  // namespace kolvex::index
