#pragma once
// Collects what the search tests and shows of each record, in file order, and writes the
// index file: the columns, the names and paths, the trigram posting lists (IndexFormat.h).
// Its memory does not grow with the catalog: each column goes to a temporary file of its
// own a block at a time, the (trigram, record) pairs are sorted in bounded runs that go to
// a temporary file too (compactly, PairRun.h), and the index is put together from those
// files at the end.
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/index/IndexFormat.h"
#include "core/index/PairRun.h"
#include "core/index/SpillFile.h"
#include "core/persist/FileOps.h"
#include "core/persist/RecordScanner.h"

namespace kolvex {
class FileStream;
}

namespace kolvex::index {

struct RunName {
  std::uint32_t record, end;  // the name's record, and where it ends in the run's names
};

class IndexBuilder {
 public:
  // How many (trigram, record) pairs are sorted at a time: 2 MiB of them, while as many
  // again are sorted on a second thread, with as much again to sort them into. A run that
  // stays in the processor's cache sorts about a third faster than one of 4 MiB; smaller
  // still, the merge of the runs costs more than the sort saves.
  static constexpr std::size_t kPairsInMemory = std::size_t{1} << 18;
  // What the runs are read back through, together, while they are merged (within limits).
  static constexpr std::size_t kMergeBytes = std::size_t{4} << 20;

  // Temporary files go to the folder dir (with a trailing '/'), through ops. Throws
  // EFCreateError when one cannot be made.
  explicit IndexBuilder(const std::string& dir, FileOps& ops = posixFileOps(),
                        std::size_t pairsInMemory = kPairsInMemory);
  ~IndexBuilder();
  IndexBuilder(const IndexBuilder&) = delete;
  IndexBuilder& operator=(const IndexBuilder&) = delete;

  // The next record in file order. Throws std::length_error when the records do not fit
  // the format (more than 4 Gi records or name bytes, more than 256 different attribute
  // values), EStreamError when a temporary file cannot be written.
  void add(const RecordView& record);
  std::uint64_t records() const { return records_; }

  // Writes the whole index file for the catalog of that identity to out, which is empty.
  void finish(const CatalogIdentity& catalog, FileStream& out);

 private:
  void endBlock();
  void endRun();
  void writeSortedRun();
  void writePostings();

  FileOps& ops_;
  std::size_t pairsInMemory_;
  std::uint64_t records_ = 0, namesSize_ = 0, pathsSize_ = 0, pathRuns_ = 0;
  std::uint64_t trigrams_ = 0, postingsSize_ = 0;

  // The block being filled; written out and digested when full.
  std::vector<std::int64_t> sizes_;
  std::vector<double> times_;
  std::vector<std::uint32_t> nameEnds_;
  std::vector<std::uint8_t> codes_;
  std::string names_;
  std::uint64_t blockNameFrom_ = 0;
  std::vector<std::uint64_t> blockDigests_;
  std::vector<TableFence> fences_;  // one per kTableChunk trigrams

  std::vector<std::int32_t> palette_;  // in the order the values first occur
  std::string lastPath_;

  // The names of the run being filled (only names of three bytes or more), and where
  // each ends; its pairs are made, sorted and encoded on a thread of its own while the
  // next run fills (the builder's largest share of work). The result is written out by
  // this thread, so every file call stays on the thread that made the builder.
  std::string runNames_, sortingNames_;
  std::vector<RunName> runEnds_, sortingEnds_;
  std::uint32_t runFirst_ = 0, sortingBase_ = 0;  // the runs' first records
  std::size_t runPairs_ = 0;
  std::vector<TrigramPair> sorting_, scratch_;  // its pairs, and room to sort them
  bool sortingRun_ = false;  // a run is on the other thread, or done there and not written
  std::string encoded_;  // the sorted run as it goes to pairFile_
  std::thread sorter_;
  struct Run {
    std::uint64_t end;  // in pairFile_
    std::uint32_t base;  // its first record
  };
  std::vector<Run> runs_;  // the sorted runs in pairFile_, back to back (PairRun.h)

  SpillFile sizeFile_, timeFile_, nameEndFile_, codeFile_, nameFile_, pathFile_, pathRunFile_,
      pairFile_, tableFile_, postingFile_;
};

}  // namespace kolvex::index
