#pragma once
// Reading a catalog: the header, records by position, one directory's chains, the tree
// from EntranceRP and every record in file order. Nothing read is trusted: a link must
// point to a record that starts before the record holding it and inside the file, so a
// damaged catalog ends with an error, never a hang or a crash.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/persist/FileOps.h"
#include "core/persist/TQELFile.h"

namespace kolvex {

// The error for a link that breaks the rules above; holder is kNoRecord for the header.
[[noreturn]] void throwBadLink(std::int64_t link, std::int64_t holder);

class CatalogReader {
 public:
  // Opens the catalog for reading and reads its header (OpenForRead, Rewind, ReadCDHeader).
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
  // Follows one chain (a directory's ChildDirRP or ChildFileRP) held by the record at
  // holder, calling visit for every entry, last-listed first.
  void forEachInChain(std::int64_t first, std::int64_t holder, const Visit& visit);
  // The sub-directories, then the files, of the directory record at dirPos.
  void forEachChild(std::int64_t dirPos, const TSCFileObjectInfo& dir, const Visit& visitDir,
                    const Visit& visitFile);

  // Walks the tree from EntranceRP without recursion, each directory before its contents,
  // children in link order; depth 0 is the scanned folder. With files, each directory's
  // files follow it. A record reached twice is an error.
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

  // Reads TotalFiles + TotalDirectories + 1 records one after the other.
  void forEachInFileOrder(const Visit& visit);

  void close() { file_.CloseFile(); }

 private:
  void readHeader();

  TQELFile file_;
  std::uint64_t base_ = 0;
  std::uint64_t area_ = 0;
};

}  // namespace kolvex
