#pragma once
#include <cstddef>
#include <string>

namespace kolvex {

// Each of : " | * ? / \ < > becomes "_"; every other character stays.
std::string ReplaceInvalidChars(const std::string& text);

// The longest file name (in bytes) the folder's file system takes: 255 on Linux unless
// the file system says less.
std::size_t MaxFileNameBytes(const std::string& folder);

// base + extension when that fits in limit bytes; otherwise a shorter name that stays
// unique and recognisable: the start of base, "~", 16 hexadecimal digits of a hash of the
// whole base, "~", the end of base (the last folder whole, from its "_", when it takes at
// most half the room), then the extension. Multi-byte UTF-8 characters are never cut.
std::string FitFileName(const std::string& base, const std::string& extension, std::size_t limit);

// A new, empty file with a unique name beginning "QE_" in the user's temporary folder;
// returns its full name. Throws EFCreateError.
std::string MakeTempFileName();

}  // namespace kolvex
