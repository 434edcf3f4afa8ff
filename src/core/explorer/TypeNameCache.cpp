#include "core/explorer/TypeNameCache.h"

namespace kolvex {

const std::string& TypeNameCache::typeNameOf(const std::string& fileName) {
  std::size_t dot = fileName.rfind('.');
  std::string ext = dot == std::string::npos ? std::string() : fileName.substr(dot);
  std::string key = ext;
  for (char& c : key)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
  auto it = names_.find(key);
  if (it == names_.end()) it = names_.emplace(key, provider_.typeNameOf("GETSHINFO" + ext)).first;
  return it->second;
}

}  // namespace kolvex
