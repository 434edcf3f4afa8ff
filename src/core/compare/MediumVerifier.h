#pragma once
// Compares a catalog with its medium as it is mounted now: files missing from the medium,
// new on it, changed in size or time, and, where the catalog has fingerprints, files
// whose content changed although size and time did not. Reads only; writes nothing.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/compare/CatalogFiles.h"
#include "platform/Volume.h"

namespace kolvex {

enum class VerifyKind { Missing, New, Changed, Corrupt, Unreadable };

struct VerifyItem {
  VerifyKind kind = VerifyKind::Missing;
  std::string path;  // below the scanned folder
  std::vector<std::string> what;  // for Changed: "size", "time"
};

struct VerifyReport {
  std::string base;  // the scanned folder as found now
  std::vector<VerifyItem> items;  // by kind, then by path
  std::int64_t checked = 0;       // catalogued files looked at
  std::int64_t rehashed = 0;      // of them, read again and compared by content
  bool cancelled = false;
  bool matches() const { return !cancelled && items.empty(); }
};

// The catalog's scanned folder on the mounted volume that carries the catalog's serial:
// the catalogued folder itself when it lies there, else the longest tail of its path
// that exists below that volume's mount point (the root itself only for a catalog of a
// whole volume). Nothing when the medium is not mounted.
std::optional<std::string> findMediumBase(const TSCCDInfo& header,
                                          const std::vector<Volume>& volumes);

class MediumVerifier {
 public:
  // Told the bytes re-hashed and the bytes to re-hash; false cancels.
  using Tick = std::function<bool(std::uint64_t done, std::uint64_t total)>;
  // Compares the tree below base with the catalog's files.
  static VerifyReport verify(const CatalogFiles& catalog, const std::string& base,
                             const Tick& tick = {});
};

const char* verifyKindName(VerifyKind kind);

}  // namespace kolvex
