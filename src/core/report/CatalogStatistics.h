#pragma once
// Statistics of catalogs: counts and sizes, the capacity of the catalogued volumes and how
// much of it their catalogued files fill, space and counts by kind of file and by extension, the largest
// files and folders, and the oldest and newest files. One catalog at a time is added;
// the same object then holds the figures across all catalogs added.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/persist/CatalogReader.h"
#include "core/report/CatalogWalk.h"
#include "core/report/FileKind.h"

namespace kolvex {

struct SpaceCount {
  std::int64_t files = 0;
  std::int64_t bytes = 0;
};

struct ExtensionCount {
  std::string extension;  // "" for files without one
  SpaceCount count;
};

// What the catalogs of one volume tell of it: its capacity (from its newest catalog that
// knows one) and, for each catalogued folder, the bytes of its files in its newest catalog.
struct VolumeShare {
  std::int64_t capacity = 0;  // 0 when no catalog of the volume knows it
  double capacityTime = 0.0;  // when the capacity was taken
  struct Folder {
    double time = 0.0;
    std::int64_t bytes = 0;
  };
  std::map<std::string, Folder> folders;  // by the scanned folder (with a trailing '/')
  // The bytes of the folders that no other catalogued folder of the volume holds.
  std::int64_t filledBytes() const;
};

// A file or folder named in a ranking.
struct RankedEntry {
  std::string path;   // the real path below the scanned folder ("/docs/a.txt")
  std::string label;  // the catalog's label
  std::int64_t bytes = 0;
  double time = 0.0;  // files: the time stamp (day count)
};

class CatalogStatistics {
 public:
  static constexpr std::size_t kTopExtensions = 20;
  static constexpr std::size_t kTopSizes = 20;
  static constexpr std::size_t kTopDates = 10;

  // Reads the whole catalog. False when proceed stopped it (nothing of it is then added).
  // Throws EStreamError for a damaged catalog, also adding nothing.
  bool addCatalog(CatalogReader& reader, FileKinds& kinds, const WalkProceed& proceed = {});
  // Adds the figures of another object (the statistics of more catalogs).
  void add(const CatalogStatistics& other);

  std::int64_t catalogs = 0;
  std::int64_t files = 0;
  std::int64_t folders = 0;  // below the scanned folders, those not counted
  std::int64_t bytes = 0;  // of every catalog, also when two catalogs hold the same files
  // The volumes by serial and file system: two catalogs of one volume (two of its folders,
  // or the same folder catalogued twice) share one entry.
  std::map<std::string, VolumeShare> volumes;
  std::array<SpaceCount, kFileKindCount> byKind{};
  std::unordered_map<std::string, SpaceCount> byExtension;
  std::vector<RankedEntry> largestFiles;    // largest first
  std::vector<RankedEntry> largestFolders;  // largest first; scanned folders not ranked
  std::vector<RankedEntry> oldestFiles;     // oldest first; files without a date left out
  std::vector<RankedEntry> newestFiles;     // newest first

  const SpaceCount& kind(FileKind k) const { return byKind[static_cast<std::size_t>(k)]; }
  // The capacity of the volumes that told one, each volume counted once.
  std::int64_t capacity() const;
  // The number of volumes with and without a known capacity.
  std::int64_t volumesWithCapacity() const;
  std::int64_t volumesWithoutCapacity() const;
  // The catalogued bytes on the volumes with a known capacity, files that two catalogs of
  // a volume both hold (the same folder, or one below the other) counted once.
  std::int64_t filledBytes() const;
  // filledBytes() over capacity(), from 0 to 1; -1 when no capacity is known.
  double fill() const;
  // The extensions with the most bytes (then the most files, then by name), at most n.
  std::vector<ExtensionCount> topExtensions(std::size_t n = kTopExtensions) const;
};

}  // namespace kolvex
