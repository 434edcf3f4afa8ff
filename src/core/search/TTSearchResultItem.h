#pragma once
// One hit of a search: a catalog, a directory or a file, with what the result list shows
// and what its row actions need, kept after the catalog file is closed.
#include <cstdint>
#include <string>

namespace kolvex {

struct TTSearchResultItem {
  std::uint8_t Kind = 0;    // kSearchCatalogs, kSearchDirectories or kSearchFiles
  double DateTime = 0.0;    // the header's or the record's CreateDateTime
  std::int64_t Size = 0;    // the record's FileSize; 0 for a catalog
  std::int32_t Attribute = 0;  // the record's Attribute; 0 for a catalog
  std::string Name;         // the catalog's label, or the record's name (its path when unnamed)
  std::string FilePath;     // the header's BaseDir, or the record's "X:\..." path
  std::string CatalogFile;  // full path of the catalog file
  std::string CDLabel;      // the catalog's label
  std::string BaseDir;      // the header's BaseDir; empty for a catalog
  bool Removable = false;   // the header's Removable; false for a catalog
  std::string KindText;     // filled when the row is added; "A048" for a catalog

  bool operator==(const TTSearchResultItem&) const = default;
};

}  // namespace kolvex
