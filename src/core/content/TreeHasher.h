#pragma once
// The fingerprint phase of a scan: after the walk has written the catalog, every regular
// file it lists is read once more and hashed. It runs from the finished catalog, so it
// sees exactly the files that were catalogued, and reports bytes of bytes.
#include <cstdint>
#include <functional>
#include <string>

#include "core/content/CompanionFile.h"
#include "core/persist/FileOps.h"

namespace kolvex {

struct TreeHashResult {
  bool cancelled = false;
  CompanionContent content;    // identity and entries, complete unless cancelled
  std::int64_t unreadable = 0;  // files that could not be read, or changed size since the walk
  std::uint64_t bytes = 0;      // bytes read
};

class TreeHasher {
 public:
  // Told the bytes done and the bytes in all (total first with done 0), after every
  // block; false cancels.
  using Tick = std::function<bool(std::uint64_t done, std::uint64_t total)>;

  // catalogPath: the finished catalog; scannedFolder: the folder it describes, as it is
  // mounted now (with or without a trailing '/'). Throws EStreamError when the catalog
  // cannot be read.
  static TreeHashResult hashCatalogTree(const std::string& catalogPath,
                                        const std::string& scannedFolder, const Tick& tick,
                                        FileOps& ops = posixFileOps());
};

}  // namespace kolvex
