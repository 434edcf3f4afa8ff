#pragma once
// Finding a folder of a catalog by its path below the scanned folder, as the command line
// names folders ("docs/old", "/docs/old"; empty or "/" for the scanned folder).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

}  // namespace kolvex
