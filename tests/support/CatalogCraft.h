#pragma once
// Builds catalog files for tests: well-formed ones through the catalog writer, and
// deliberately broken ones with links set by hand.
#include <cstdint>
#include <string>
#include <vector>

#include "core/persist/TSCCDInfo.h"
#include "core/persist/TSCFileObjectInfo.h"

namespace kolvex::test {

// A tree of entries to write; directories list their entries in listing order.
struct Entry {
  std::string name;
  bool dir = false;
  std::int64_t size = 0;
  std::vector<Entry> entries;
  double time = 45000.5;  // files: the time stamp (day count)
  std::int32_t attributes = 0;  // added to the kind's own bit (directory or archive)
};

Entry file(std::string name, std::int64_t size = 1);
Entry dir(std::string name, std::vector<Entry> entries = {});

// Writes the tree (its root is the scanned folder) as a catalog through CatalogWriter,
// with TotalFiles and TotalDirectories counted from it.
void writeCatalog(const std::string& path, const Entry& root, TSCCDInfo header = {});

// A link of a crafted record: the position of record i of the list (-1: no record), or
// with raw() a value stored as it is.
struct Link {
  Link(std::int64_t index = -1) : value(index) {}  // NOLINT: indices read naturally
  std::int64_t value;
  bool isRaw = false;
};
Link raw(std::int64_t v);

// A record for crafting by hand: a file (archive bit) or a folder, stored under "X:\\".
TSCFileObjectInfo plainRecord(const std::string& name, bool folder);

struct Crafted {
  TSCFileObjectInfo record;
  Link brother, childFile, childDir;
};

// What craftCatalog does with the counters.
enum class Counters {
  Fill,     // each folder's four counters as its chains say, the header's totals as the
            // entrance record's: a catalog whose only faults are the links set by hand
  AsGiven,  // the records' and the header's counters as they are
};

// The bytes of a catalog with these records in this order and EntranceRP at record
// `entrance` (or raw). Positions are solved so that every link names the intended record.
std::string craftCatalog(std::vector<Crafted> records, Link entrance, TSCCDInfo header = {},
                         Counters counters = Counters::Fill);

}  // namespace kolvex::test
