#pragma once
// Where a catalogued folder is now. On Linux a medium's mount point changes with the
// user, the label and the desktop, so the folder is looked for on the volume that carries
// the catalog's serial, wherever that is mounted: its mount point + the part of the old
// base folder below the old mount point. Where the volume is still mounted above the old
// folder (or the folder was a drive letter's), that part is known. Otherwise it is one of
// the old folder's endings, tried longest first, and the catalog's own name (serial + that
// part, as ArchiveFileNameFor makes it) settles which one; without that, the longest that
// exists, never the whole medium on a guess.
#include <string>

#include "core/persist/TSCCDInfo.h"
#include "platform/VolumeTable.h"

namespace kolvex {

// The base folder of the catalog at catalogPath (header: its header) as it is mounted
// now, with a trailing '/'. Empty when no mounted volume carries the serial or none holds
// the folder. Throws VolumeError when the volumes cannot be listed.
std::string FindBaseFolder(const TSCCDInfo& header, const std::string& catalogPath,
                           const VolumeTable& volumes);

}  // namespace kolvex
