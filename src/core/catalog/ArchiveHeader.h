#pragma once
#include <string>

#include "core/persist/FileOps.h"
#include "core/persist/TSCCDInfo.h"

namespace kolvex {

// Copies every header field from source to target, in table order; the two icons and
// the description list are then shared with the source, not copied.
void CopyArchiveHeader(const TSCCDInfo& source, TSCCDInfo& target);

// Replaces the header of an existing catalog and keeps every record: the new file is
// written beside the catalog and renamed over it, so a failure leaves the catalog
// byte-identical. Fingerprints that belong to the catalog go on belonging to it (a
// companion that cannot be rewritten is removed). Throws the reading and writing errors
// of the catalog files.
void RewriteArchiveHeader(const std::string& catalogPath, const TSCCDInfo& header,
                          FileOps& ops = posixFileOps());

}  // namespace kolvex
