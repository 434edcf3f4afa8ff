#include "core/explorer/FolderTexts.h"

#include <algorithm>

namespace kolvex {

std::string FolderAddress(const std::string& label, const TTFileObjectInfo& folder) {
  std::string stored = folder.FilePath + folder.FileName;
  // A record from elsewhere may carry a path shorter than the pseudo-drive.
  stored.erase(0, std::min<std::size_t>(2, stored.size()));
  return label + stored;
}

std::string FolderCaption(const std::string& label, const TTFileObjectInfo& folder) {
  return folder.FileName.empty() ? label : folder.FileName;
}

}  // namespace kolvex
