#pragma once
// Files that exist more than once across catalogs. Each file becomes one compact key
// (size, fingerprint, name hash, where it is); sorting the keys brings copies together,
// so millions of records need no index and little memory. Paths are read back only for
// the files that have a copy.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/content/Fingerprint.h"
#include "core/persist/FileOps.h"
#include "platform/Volume.h"

namespace kolvex {

struct DupeOptions {
  bool byContent = true;     // by fingerprint where both files have one, else by name and size
  bool sameTime = false;     // name and size must come with the same time
  std::int64_t minSize = 1;  // smaller files are left out (zero-byte files by default)
};

struct DupeCopy {
  std::uint32_t catalog = 0;  // index into the catalogs added
  std::int32_t attributes = 0;  // the record's attributes and time, as a catalog's list shows them
  std::int64_t record = 0;
  std::string_view path;  // below the scanned folder ("Docs/a.txt"), held by its DupeGroups
  double time = 0.0;
};

// A copy's name, and its folder as the catalog stores it ("X:\\Docs\\"): a stored path
// joins the names with a backslash whatever they hold.
std::string copyName(const DupeCopy& copy);
std::string copyStoredFolder(const DupeCopy& copy);

struct DupeGroup {
  std::int64_t size = 0;
  std::optional<Fingerprint> fingerprint;  // when the copies were matched by content
  std::vector<DupeCopy> copies;
  std::int64_t wasted() const { return size * static_cast<std::int64_t>(copies.size() - 1); }
};

// Texts kept in large blocks, so that millions of short paths cost their bytes and not an
// allocation each. A view of a kept text stays valid while the store lives, moved or not.
class TextStore {
 public:
  std::string_view keep(std::string_view text);
  // Takes over the texts of another store; views of them stay valid.
  void take(TextStore&& other);

 private:
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t used_ = 0, room_ = 0;
};

// The groups found, with the paths their copies point into.
struct DupeGroups {
  std::vector<DupeGroup> list;
  TextStore paths;

  std::size_t size() const { return list.size(); }
  bool empty() const { return list.empty(); }
  const DupeGroup& operator[](std::size_t i) const { return list[i]; }
  auto begin() const { return list.begin(); }
  auto end() const { return list.end(); }
};

struct DupeCatalog {
  std::string path;
  std::string label;
  std::string serial;
  std::string baseDir;
  bool removable = false;
  bool mounted = false;  // a mounted volume carries the catalog's serial (markMounted)
  std::string warning;  // a companion that was ignored, or why the catalog was left out
  bool read = false;
};

class DuplicateFinder {
 public:
  explicit DuplicateFinder(DupeOptions options, FileOps& ops = posixFileOps());

  // Reads a catalog's file records and its fingerprints. A catalog that cannot be read is
  // kept with its error and contributes nothing. Returns its index.
  std::size_t addCatalog(const std::string& catalogPath);
  // All of them, with room for their keys made first (one allocation, not a growing one).
  void addCatalogs(const std::vector<std::string>& catalogPaths);
  const std::vector<DupeCatalog>& catalogs() const { return catalogs_; }
  std::size_t keyCount() const { return keys_.size(); }
  // Notes which catalogs have their medium among these volumes, by serial.
  void markMounted(const std::vector<Volume>& volumes);

  // The groups, most wasted space first (then larger files), each copy with its path, the
  // copies of a group by catalog and path. Consumes the keys.
  DupeGroups groups();

 private:
  struct Key {
    std::int64_t size;
    Fingerprint print;       // valid when hasPrint
    std::uint64_t name;      // hash of the name (and time, when asked)
    std::int64_t record;
    std::uint32_t catalog;
    std::uint32_t hasPrint;  // 1: own fingerprint, 2: one of a same-named file, 0: none
  };
  void readCatalog(std::size_t index, std::vector<Key>& keys);
  // How many threads read catalogs, and work spread over them: work(item, worker).
  std::size_t workers() const;
  static void inParallel(std::size_t count, std::size_t workers,
                         const std::function<void(std::size_t, std::size_t)>& work);
  void dropLoneKeys();
  void lendFingerprints();
  void resolvePaths(DupeGroups& groups);

  DupeOptions options_;
  FileOps& ops_;
  std::vector<DupeCatalog> catalogs_;
  std::vector<Key> keys_;
};

}  // namespace kolvex
