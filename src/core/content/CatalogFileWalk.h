#pragma once
// Every entry of a catalog with its path below the scanned folder, built from the names
// of the folders above it ("Docs/a.txt"): unlike the stored path, this stays exact for
// names that hold a backslash.
#include <cstdint>
#include <functional>
#include <string>

#include "core/persist/CatalogReader.h"

namespace kolvex {

using CatalogEntryVisit =
    std::function<void(std::int64_t pos, const TSCFileObjectInfo& record, const std::string& path)>;

// Files only, or folders as well (the scanned folder itself is never visited). Throws
// what the reader throws for a damaged catalog.
void forEachCatalogEntry(CatalogReader& reader, bool withFolders, const CatalogEntryVisit& visit);

// A file whose content can be read and hashed: not a folder, link, device, pipe or socket.
bool isRegularFileRecord(const TSCFileObjectInfo& record);

}  // namespace kolvex
