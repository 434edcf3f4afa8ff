#pragma once
// The catalogs of the catalog folder, in the order the folder lists them (nothing is
// sorted), each with its header.
#include <memory>
#include <string>
#include <vector>

#include "core/persist/FileOps.h"
#include "core/persist/TSCCDInfo.h"

namespace kolvex {

struct ArchiveEntry {
  std::string path;                   // the catalog file
  std::shared_ptr<TSCCDInfo> header;  // null when the header could not be read
  std::string error;                  // why, then
};

// Every entry of the folder (a trailing '/' optional) but folders whose name ends in
// ".qel" in any letter case. A catalog whose header or last record (the scanned folder's,
// which a file cut short loses first) cannot be read (a fifo or a device among them) is
// listed with its error, so one damaged file hides none of the others.
// Throws EFOpenError, saying why, when the folder itself cannot be listed.
std::vector<ArchiveEntry> ListArchives(const std::string& folder, FileOps& ops = posixFileOps());

// Deletes one catalog file and its fingerprint file. A file already gone counts as
// deleted. Returns why the catalog could not be deleted, or an empty text.
std::string DeleteArchive(const std::string& path, FileOps& ops = posixFileOps());

}  // namespace kolvex
