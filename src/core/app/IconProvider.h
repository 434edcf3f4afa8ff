#pragma once
// The desktop's icons and type names for files and folders, stored in catalogs in the
// icon file layout and shown again from there.
#include <string>

#include "core/persist/Graphics.h"

namespace kolvex {

class IconProvider {
 public:
  virtual ~IconProvider() = default;
  // Fills the small (16 pixels) and large (32 pixels) icon of a real file, folder or
  // volume; leaves them empty and returns false when the desktop has none.
  virtual bool iconsOf(const std::string& path, TIcon& small, TIcon& large) = 0;
  // The type name the desktop gives a file name ("Text document"), by its name alone.
  virtual std::string typeNameOf(const std::string& fileName) = 0;
};

// No icons at all: catalogs made without a desktop.
class NoIconProvider final : public IconProvider {
 public:
  bool iconsOf(const std::string&, TIcon&, TIcon&) override { return false; }
  std::string typeNameOf(const std::string&) override { return {}; }
};

}  // namespace kolvex
