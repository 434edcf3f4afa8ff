#pragma once
// The three empty probe files of the application folder. The desktop's icon theme answers
// by file name alone, so they are never renamed here; they are still made at every start
// and removed at shutdown, together with any other "GETSHINFO.*" left behind.
#include <array>
#include <string>

namespace kolvex {

class ProbeFiles {
 public:
  static constexpr std::array<const char*, 3> kNames = {"GETSHINFO.000", "GETSHINFO.001",
                                                        "GETSHINFO.002"};
  static constexpr const char* kPrefix = "GETSHINFO.";

  // Makes the three files empty, replacing what stood under their names (a link is
  // replaced, never followed). False when one could not be made.
  static bool create(const std::string& appDir);
  // Removes every entry of the folder whose name begins with "GETSHINFO." (links
  // themselves, never their targets).
  static void removeAll(const std::string& appDir);
};

}  // namespace kolvex
