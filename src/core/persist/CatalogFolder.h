#pragma once
// Finding a folder of a catalog by its path below the scanned folder, as the command line
// names folders ("docs/old", "/docs/old"; empty or "/" for the scanned folder), and listing
// its two chains. The chains are read whole, so their kinds and counts are checked as
// CatalogReader::forEachInChain checks them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/persist/CatalogReader.h"

namespace kolvex {

struct CatalogFolder {
  std::int64_t position = kNoRecord;  // where the folder's record starts
  TTFileObjectInfo record;
  std::string path;  // "/docs/old"; "/" for the scanned folder
};

// Each part of the path names a sub-folder exactly (names may hold any byte but "/");
// the first of that name in the folder's chain is taken. Nothing when a part names no
// sub-folder. Throws EStreamError for a damaged catalog.
std::optional<CatalogFolder> FindCatalogFolder(CatalogReader& reader, std::string_view path);

struct ListedEntry {
  std::int64_t pos = kNoRecord;
  TTFileObjectInfo record;
};

struct FolderListing {
  std::vector<ListedEntry> folders;  // in link order
  std::vector<ListedEntry> files;    // in link order
};

// Both chains of the folder.
FolderListing ListCatalogFolder(CatalogReader& reader, const CatalogFolder& folder);

}  // namespace kolvex
