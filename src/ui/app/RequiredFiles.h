#pragma once
// The files the program cannot start without, and the message shown when one is missing.
#include <string>

namespace kolvex {

class RequiredFiles {
 public:
  // The start-up error text; each "\n\r" is a line break.
  static const char* const kErrorText;
  // True when "IPack.ipk" and then "Options.cfg" are readable files in the folder.
  static bool present(const std::string& appDir);
};

}  // namespace kolvex
