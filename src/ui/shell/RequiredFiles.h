#pragma once
// The files the program cannot start without, and the message shown when one is missing.
#include <string>

#include "core/app/AppPaths.h"

namespace kolvex {

class RequiredFiles {
 public:
  // The start-up error text; each "\n\r" is a line break.
  static const char* const kErrorText;
  // True when "IPack.ipk" and then "Options.cfg" are readable files where the paths say.
  static bool present(const AppPaths& paths);
  // The same for a portable application folder.
  static bool present(const std::string& appDir) { return present(AppPaths::portable(appDir)); }
};

}  // namespace kolvex
