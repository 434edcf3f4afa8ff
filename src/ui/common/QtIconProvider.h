#pragma once
#include "core/app/IconProvider.h"

namespace kolvex {

// Icons from the desktop's icon theme, stored in the icon file layout; type names from
// the MIME database by file name.
class QtIconProvider final : public IconProvider {
 public:
  bool iconsOf(const std::string& path, TIcon& small, TIcon& large) override;
  std::string typeNameOf(const std::string& fileName) override;
};

}  // namespace kolvex
