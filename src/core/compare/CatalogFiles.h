#pragma once
// A catalog's files in memory with their paths below the scanned folder and, when the
// catalog has a matching companion, their fingerprints: what a comparison works on.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/content/CompanionStore.h"
#include "core/persist/TSCCDInfo.h"

namespace kolvex {

struct CatalogFile {
  std::string path;  // "Docs/a.txt"
  std::int64_t record = 0;
  std::int64_t size = 0;
  double time = 0.0;  // local day count, as catalogued
  std::int32_t attributes = 0;
  std::optional<Fingerprint> fingerprint;
};

struct CatalogFiles {
  std::string catalogPath;
  TSCCDInfo header;
  std::vector<CatalogFile> files;  // in tree order
  FingerprintLoad::State fingerprints = FingerprintLoad::State::None;
  std::string warning;  // why the fingerprints are ignored, when they are
};

// Reads every file of a catalog (files only; folders follow from their paths). Throws
// EStreamError when the catalog cannot be read. A companion that does not belong to the
// catalog, or whose sizes do not fit its records, is ignored and named in warning.
CatalogFiles loadCatalogFiles(const std::string& catalogPath, FileOps& ops = posixFileOps());

// The fingerprint of a record when the companion has one that fits the record's size.
std::optional<Fingerprint> fittingFingerprint(const CompanionContent& content,
                                              std::int64_t record, std::int64_t size);

}  // namespace kolvex
