#pragma once
// Reading and writing "IPack.ipk": one TSCInterfacePack stream.
#include <string>

#include "core/persist/TSCInterfacePack.h"

namespace kolvex {

class InterfacePackFile {
 public:
  // Reads one stream into the package, image by image; throws the stream errors
  // ("Cannot open file %s", "Stream read error", ...).
  static void load(TSCInterfacePack& pack, const std::string& path);
  // Replaces the file as a whole; on failure (thrown) the old file stays as it was.
  static void save(const TSCInterfacePack& pack, const std::string& path);
};

}  // namespace kolvex
