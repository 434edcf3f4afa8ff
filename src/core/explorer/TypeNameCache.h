#pragma once
// The description column: the desktop's type name of a file's extension. The desktop is
// asked once per extension (compared ignoring the case of a to z) while the cache lives;
// the list keeps one cache per listing.
#include <string>
#include <unordered_map>

#include "core/app/IconProvider.h"

namespace kolvex {

class TypeNameCache {
 public:
  explicit TypeNameCache(IconProvider& provider) : provider_(provider) {}

  // The type name for a file name, asked for the probe name "GETSHINFO" + its extension
  // (from the last dot; none without a dot), so only the extension decides.
  const std::string& typeNameOf(const std::string& fileName);
  void clear() { names_.clear(); }

 private:
  IconProvider& provider_;
  std::unordered_map<std::string, std::string> names_;  // upper-cased extension -> name
};

}  // namespace kolvex
