#pragma once
// "parg.prg": the folder a second launch hands to the running copy, as plain bytes. Both
// sides refuse to follow a symbolic link, so the file can never be used to read or
// overwrite another file of the user.
#include <optional>
#include <string>

namespace kolvex {

class PargFile {
 public:
  // Longer contents are not a folder path and are dropped unread.
  static constexpr std::size_t kMaxBytes = 64 * 1024;

  static std::string path(const std::string& appDir);
  // Removes a file left over from an earlier hand-off; false when one is there and stays.
  static bool clear(const std::string& appDir);
  // Writes the folder byte for byte into a new file of that name (no terminator, no line
  // break); false when it cannot be created or written (nothing is then left behind).
  static bool write(const std::string& appDir, const std::string& folder);
  // The receiving side: reads the file, deletes it and returns its bytes without the
  // characters of code 32 and below at either end. Nothing when there is no regular file
  // of that name; a link or an oversized file is deleted unread.
  static std::optional<std::string> take(const std::string& appDir);
};

}  // namespace kolvex
