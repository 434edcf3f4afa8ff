#include "core/catalog/ScannedPath.h"

namespace kolvex {

std::string ScannedPath(const std::string& baseDir, const std::string& storedFolder,
                        const std::string& name) {
  std::string below = storedFolder.rfind("X:\\", 0) == 0 ? storedFolder.substr(3) : storedFolder;
  if (!name.empty() && !below.empty() && below.back() != '\\') below += '\\';
  if (baseDir.find('/') != std::string::npos)
    for (char& c : below)
      if (c == '\\') c = '/';
  return baseDir + below + name;
}

}  // namespace kolvex
