#pragma once
// Reading a catalog: the header, records by position, one directory's chains, the tree
// from EntranceRP and every record in file order. Nothing read is trusted: a link must
// point to a record that starts before the record holding it and inside the file; a
// record must be of the kind of the chain that reached it; a folder's chains must hold as
// many entries as its counters say; the scanned folder's record must be the last of the
// file and carry the header's totals. A damaged catalog ends with an error (CatalogDamage),
// never a hang, a crash or a shorter truth.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/persist/CatalogDamage.h"
#include "core/persist/FileOps.h"
#include "core/persist/TQELFile.h"

namespace kolvex {

// One of a folder's two chains: where it starts, what kind of record it holds and how
// many the folder's counter says.
struct Chain {
  std::int64_t first;
  std::int64_t counted;
  bool folders;
};

// The chain of sub-folders (ChildDirRP, DirsOnlyUM) or of files (ChildFileRP,
// FilesOnlyUM) of a folder record or a snapshot of one.
template <class Record>
Chain folderChainOf(const Record& dir) {
  return {dir.ChildDirRP, dir.DirsOnlyUM, true};
}
template <class Record>
Chain fileChainOf(const Record& dir) {
  return {dir.ChildFileRP, dir.FilesOnlyUM, false};
}

class CatalogReader {
 public:
  // Opens the catalog for reading, reads its header (OpenForRead, Rewind, ReadCDHeader)
  // and checks the scanned folder's record (checkRoot).
  explicit CatalogReader(const std::string& path, FileOps& ops = posixFileOps());
  // The same for a catalog held in a stream.
  explicit CatalogReader(std::unique_ptr<Stream> stream);

  TQELFile& file() { return file_; }
  const TSCCDInfo& header() const { return *file_.CDHeader; }
  // The first byte after the header: record positions count from here.
  std::uint64_t recordBase() const { return base_; }
  std::uint64_t areaSize() const { return area_; }

  // Reads the record at position pos into CurrFile. holder is the position of the record
  // whose link led here (kNoRecord for EntranceRP); pos must lie before it.
  TSCFileObjectInfo& readAt(std::int64_t pos, std::int64_t holder = kNoRecord);
  TSCFileObjectInfo& readRoot() { return readAt(header().EntranceRP); }

  using Visit = std::function<void(std::int64_t pos, const TSCFileObjectInfo& record)>;
  // Follows one chain of the folder record at holder, calling visit for every entry,
  // last-listed first. Every entry must be of the chain's kind, and the chain must hold
  // as many entries as counted; the count is checked after the last visit.
  void forEachInChain(std::int64_t holder, Chain chain, const Visit& visit);
  // The sub-directories, then the files, of the directory record at dirPos.
  void forEachChild(std::int64_t dirPos, const TSCFileObjectInfo& dir, const Visit& visitDir,
                    const Visit& visitFile);

  // Walks the tree from EntranceRP without recursion, each directory before its contents,
  // children in link order; depth 0 is the scanned folder. With files, each directory's
  // files follow it. A record reached twice is an error, and so is a folder whose totals
  // (FilesUnderMe, DirsUnderMe) do not add up.
  using TreeVisit =
      std::function<void(std::int64_t pos, const TSCFileObjectInfo& record, int depth)>;
  void walkTree(const TreeVisit& visit, bool withFiles);

  // One step of walkFrom: a record, its depth below the starting folder (0 for that
  // folder) and whether a file chain reached it (a folder chain otherwise).
  struct WalkStep {
    std::int64_t pos;
    const TSCFileObjectInfo& record;
    int depth;
    bool viaFileChain;
  };
  // walkTree from the directory record at start instead of EntranceRP: that folder and
  // everything below it, in the same order and with the same checks.
  void walkFrom(std::int64_t start, const std::function<void(const WalkStep&)>& visit,
                bool withFiles);

  // Reads TotalFiles + TotalDirectories + 1 records one after the other, checking them
  // against the header (RecordCensus).
  void forEachInFileOrder(const Visit& visit);

  void close() { file_.CloseFile(); }

 private:
  void readHeader();
  // The scanned folder's record at EntranceRP: a folder, the last record of the file,
  // and holding as many files and folders as the header's totals say.
  void checkRoot();

  TQELFile file_;
  std::uint64_t base_ = 0;
  std::uint64_t area_ = 0;
};

}  // namespace kolvex
