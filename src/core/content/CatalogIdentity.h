#pragma once
// What ties a fingerprint file to one catalog: the catalog's length and the fingerprint of
// its header stream. A rescan, an update or a header change gives another identity.
#include <cstdint>
#include <string>

#include "core/content/Fingerprint.h"
#include "core/persist/FileOps.h"

namespace kolvex {

struct CatalogIdentity {
  std::uint64_t size = 0;
  Fingerprint header;
  friend bool operator==(const CatalogIdentity&, const CatalogIdentity&) = default;
};

// Reads the catalog's header (with the reader's checks) and its length. Throws
// EStreamError when the catalog cannot be read.
CatalogIdentity identityOf(const std::string& catalogPath, FileOps& ops = posixFileOps());

}  // namespace kolvex
