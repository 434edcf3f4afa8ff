#pragma once
// The fingerprint file that lives beside a catalog ("123.qel" has "123.qfp"). The catalog
// format stays as it is; this file adds, for every regular file whose content could be
// read at scan time, its record position in the catalog, its size and its fingerprint.
//
// Layout, all numbers little-endian:
//   "KVXQFP01"                      8 bytes, the format and its version
//   catalog size, header digest     8 + 16 bytes (CatalogIdentity)
//   entry count                     8 bytes
//   entries                         32 bytes each: record position, size, fingerprint
//                                   (low, high), record positions strictly ascending
//   digest of all bytes before it   16 bytes
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/content/CatalogIdentity.h"

namespace kolvex {

inline constexpr const char* kCompanionExtension = ".qfp";

struct FingerprintEntry {
  std::int64_t record = 0;  // position of the file's record, counted like every link
  std::int64_t size = 0;    // bytes hashed
  Fingerprint fingerprint;
};

struct CompanionContent {
  CatalogIdentity identity;
  std::vector<FingerprintEntry> entries;  // by record position

  // The entry of a record, or null.
  const FingerprintEntry* find(std::int64_t record) const;
};

// A fingerprint file that cannot be what it claims: the message says what is wrong.
class ECompanionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string serializeCompanion(const CompanionContent& content);

// Checks everything the bytes can tell by themselves: the mark, the length against the
// count (before anything is allocated), the closing digest, record positions ascending
// and inside the catalog, sizes not negative. Throws ECompanionError.
CompanionContent parseCompanion(std::string_view bytes);

// The companion's name: the catalog's with ".qfp" in place of its ".qel" (of any case).
std::string companionPathOf(const std::string& catalogPath);

}  // namespace kolvex
