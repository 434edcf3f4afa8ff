#include "core/index/IndexMaintenance.h"

#include <exception>
#include <memory>

#include "core/index/IndexBuilder.h"
#include "core/index/IndexLocation.h"
#include "core/persist/AtomicFileWriter.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"
#include "core/persist/FileOrderScan.h"

namespace kolvex::index {

bool BuildIndex(const std::string& catalogPath, const std::function<bool()>& keepGoing,
                FileOps& ops, std::size_t runPairs) {
  CatalogFile catalog;
  if (!catalog.open(catalogPath)) {
    // The reader says why, in its own words.
    CatalogReader reader(catalogPath);
    throw EStreamError(msg::kStreamReadError);
  }
  const std::string target = writableIndexPath(catalogPath);
  if (target.empty()) throw EStreamError(msg::kStreamWriteError);
  CatalogReader reader(catalog.stream());
  // Every record in file order with the search's own checks (FileOrderScan), so the index
  // exists only for a catalog the search reads in full without an error.
  FileOrderScan records(reader);
  IndexBuilder builder(target.substr(0, target.rfind('/') + 1), ops, runPairs);
  for (std::int64_t i = 0; !records.done(); ++i) {
    if (keepGoing && (i & 4095) == 0 && !keepGoing()) return false;
    builder.add(records.next());
  }
  const std::optional<CatalogIdentity> identity = catalog.identity(reader.recordBase());
  if (!identity) throw EStreamError(msg::kStreamReadError);

  // Not synced: the index is a cache. A crash can leave it damaged, and a damaged index
  // is found by its checks and made again; the wait for the disk (a few ms, as long as a
  // small catalog's whole build) is not.
  AtomicFileWriter out(target, ops, Durability::CacheOnly);
  builder.finish(*identity, out.stream());
  out.commit();
  // An older index elsewhere would only cost a look at every search.
  for (const std::string& other : indexPathsOf(catalogPath))
    if (other != target) removeFile(ops, other);
  return true;
}

void RefreshIndex(const std::string& catalogPath, FileOps& ops) noexcept {
  try {
    BuildIndex(catalogPath, {}, ops);
  } catch (const std::exception&) {
    RemoveIndex(catalogPath);  // the search reads the catalog until the next build
  }
}

void RemoveIndex(const std::string& catalogPath) noexcept {
  try {
    for (const std::string& path : indexPathsOf(catalogPath)) removeFile(posixFileOps(), path);
  } catch (const std::exception&) {
    // Nothing to do: an index that stays behind no longer matches any catalog.
  }
}

bool OpenIndex(const std::string& catalogPath, const CatalogFile& catalog, CatalogIndex& index) {
  for (const std::string& path : indexPathsOf(catalogPath))
    if (index.open(path, catalog)) return true;
  return false;
}

IndexOutcome EnsureIndex(const std::string& catalogPath, bool rebuild, std::string& error) {
  try {
    if (!rebuild) {
      CatalogFile catalog;
      CatalogIndex index;
      if (catalog.open(catalogPath) && OpenIndex(catalogPath, catalog, index) && index.checkAll())
        return IndexOutcome::Fresh;
    }
    BuildIndex(catalogPath);
    return IndexOutcome::Built;
  } catch (const std::exception& e) {
    error = e.what();
  }
  RemoveIndex(catalogPath);
  return IndexOutcome::Failed;
}

}  // namespace kolvex::index
