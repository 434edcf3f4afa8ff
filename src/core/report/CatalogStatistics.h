#pragma once
// Statistics of catalogs: counts and sizes, the volume's capacity and how much of it the
// catalogued files fill, space and counts by kind of file and by extension, the largest
// files and folders, and the oldest and newest files. One catalog at a time is added;
// the same object then holds the figures across all catalogs added.
#include <array>
#include <cstdint>
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
  std::int64_t bytes = 0;
  // The sum of the capacities of the volumes that reported one.
  std::int64_t capacity = 0;
  // The catalogued files' bytes of the catalogs whose volume reported a capacity.
  std::int64_t bytesOnKnownCapacity = 0;
  std::array<SpaceCount, kFileKindCount> byKind{};
  std::unordered_map<std::string, SpaceCount> byExtension;
  std::vector<RankedEntry> largestFiles;    // largest first
  std::vector<RankedEntry> largestFolders;  // largest first; scanned folders not ranked
  std::vector<RankedEntry> oldestFiles;     // oldest first; files without a date left out
  std::vector<RankedEntry> newestFiles;     // newest first

  const SpaceCount& kind(FileKind k) const { return byKind[static_cast<std::size_t>(k)]; }
  // The share of the capacity the catalogued files fill, from 0 to 1; -1 when no
  // capacity is known.
  double fill() const;
  // The extensions with the most bytes (then the most files, then by name), at most n.
  std::vector<ExtensionCount> topExtensions(std::size_t n = kTopExtensions) const;
};

}  // namespace kolvex
