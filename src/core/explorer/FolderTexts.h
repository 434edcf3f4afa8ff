#pragma once
// The texts the explorer shows for a folder record.
#include <string>

#include "core/persist/TSCFileObjectInfo.h"

namespace kolvex {

// The folder's address: the catalog label followed by the record's FilePath and FileName
// without the pseudo-drive "X:". The root is label + "\", the folder Games\Sub below it
// label + "\Games\Sub".
std::string FolderAddress(const std::string& label, const TTFileObjectInfo& folder);

// The folder's own name, or the catalog label for the root (whose name is empty).
std::string FolderCaption(const std::string& label, const TTFileObjectInfo& folder);

}  // namespace kolvex
