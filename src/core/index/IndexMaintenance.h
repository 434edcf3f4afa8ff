#pragma once
// Making, finding and removing the index of a catalog. The catalog is the truth: an index
// is made from it, read only while it still matches it, and thrown away or made again
// whenever it does not.
#include <functional>
#include <string>

#include "core/index/CatalogIndex.h"
#include "core/index/CatalogFile.h"
#include "core/index/IndexBuilder.h"
#include "core/persist/FileOps.h"

namespace kolvex::index {

// Reads the catalog as the search reads it and writes its index atomically. keepGoing is
// asked now and then; when it says no, nothing is written and false is returned. Throws
// the catalog reader's EStreamError for a damaged catalog, std::exception when the index
// cannot be written. Its temporary files (bounded memory, see IndexBuilder) and the index
// are written through ops; the catalog is only read. runPairs: see IndexBuilder.
bool BuildIndex(const std::string& catalogPath, const std::function<bool()>& keepGoing = {},
                FileOps& ops = posixFileOps(),
                std::size_t runPairs = IndexBuilder::kPairsInMemory);

// BuildIndex after a catalog was written: a failure is swallowed (the search reads the
// catalog then), so the index can never fail the work that made the catalog.
void RefreshIndex(const std::string& catalogPath, FileOps& ops = posixFileOps()) noexcept;

// Removes every index of the catalog (when the catalog is deleted).
void RemoveIndex(const std::string& catalogPath) noexcept;

// Opens the index of the open catalog from the first place that holds one made from it.
bool OpenIndex(const std::string& catalogPath, const CatalogFile& catalog, CatalogIndex& index);

// What `index` did to one catalog's index.
enum class IndexOutcome { Fresh, Built, Failed };
// Checks the index of a catalog through and through and builds it when it is missing,
// stale or damaged (always, with rebuild); error receives why a build failed.
IndexOutcome EnsureIndex(const std::string& catalogPath, bool rebuild, std::string& error);

}  // namespace kolvex::index
