#pragma once
// Scanning a catalogued folder again under the same catalog name, only when the very
// volume that was catalogued is present and the folder still exists.
#include <string>

#include "core/catalog/VolumeScanner.h"

namespace kolvex {

// With ask, question A028 first (No changes nothing). The old header's BaseDir names the
// folder; its volume must be readable (else error A001) and carry the catalog's serial,
// and the folder must exist (else error A027). The new catalog keeps the old header's
// label, description, icons, size, file system, removable flag, folder and user, with a
// new time and version. A failed scan shows A003 and, unlike a plain replacement, keeps
// the old catalog as it was: losing it to a disc that failed half-way would help no one.
ScanResult UpdateArchive(VolumeScanner& scanner, ScanContext& context,
                         const std::string& catalogPath, bool ask);

}  // namespace kolvex
