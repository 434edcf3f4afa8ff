#pragma once
// Scanning a catalogued folder again under the same catalog name, only when the very
// volume that was catalogued is present and the folder still exists.
#include <string>

#include "core/catalog/VolumeScanner.h"

namespace kolvex {

// With ask, question A028 first (No changes nothing). The folder is looked for on the
// volume that carries the catalog's serial, wherever it is mounted now (FindBaseFolder);
// error A027 when no mounted volume carries it or none holds the folder, A001 when the
// volumes or that folder's volume cannot be read. The new catalog keeps the old header's
// label, description, icons, size, file system, removable flag and user, with the base
// folder as it is mounted now and a new time and version. A failed scan shows A003 and, unlike a plain replacement, keeps
// the old catalog as it was: losing it to a disc that failed half-way would help no one.
ScanResult UpdateArchive(VolumeScanner& scanner, ScanContext& context,
                         const std::string& catalogPath, bool ask);

}  // namespace kolvex
