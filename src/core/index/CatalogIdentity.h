#pragma once
// What names a catalog file as it is now: its device, inode, size, modification time and
// a digest of its header bytes (those before its first record).
#include <cstdint>
#include <optional>

#include "core/index/IndexFormat.h"
#include "core/index/MappedFile.h"

namespace kolvex::index {

// Nothing when recordBase lies past the end of the file.
std::optional<CatalogIdentity> identityOf(const MappedFile& catalog, std::uint64_t recordBase);

}  // namespace kolvex::index
