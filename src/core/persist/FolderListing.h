#pragma once
// One folder of a catalog read along its chains, as the command line's ls lists it: the
// folder found by its names below the scanned folder, then its sub-folders and its files.
// The chains are checked as CatalogReader::forEachInChain checks them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/persist/CatalogReader.h"

namespace kolvex {

struct ListedEntry {
  std::int64_t pos = kNoRecord;
  TTFileObjectInfo record;
};

struct FolderListing {
  std::vector<ListedEntry> folders;  // in link order
  std::vector<ListedEntry> files;    // in link order
};

// The scanned folder itself.
ListedEntry CatalogRoot(CatalogReader& reader);

// The folder reached from the scanned folder by names: at each step the first sub-folder
// of that name along the chain (the whole chain is still read, so its count is checked).
// Nothing when a name is missing.
std::optional<ListedEntry> FindCatalogFolder(CatalogReader& reader,
                                             const std::vector<std::string>& names);

// Both chains of the folder.
FolderListing ListCatalogFolder(CatalogReader& reader, const ListedEntry& folder);

}  // namespace kolvex
