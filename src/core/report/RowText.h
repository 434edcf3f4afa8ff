#pragma once
// Texts of exported entries that every output format shares: ISO 8601 time stamps,
// attribute letters, and the two forms of a name that is not UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/catalog/DateTimeText.h"

namespace kolvex {

// ISO 8601 time stamps: IsoDateTimeText of core/catalog/DateTimeText.h.

// The attribute bits as letters in a fixed order: D directory, R read-only, H hidden,
// S system, A archive, L symbolic link (reparse point), V volume label.
std::string AttributeLetters(std::int32_t attributes);

// The bytes in lower-case hexadecimal, two digits each.
std::string HexBytes(std::string_view bytes);
// The inverse of HexBytes; false for an odd length or a character that is no digit.
bool BytesFromHex(std::string_view hex, std::string& bytes);

// A stored folder path ("X:\docs\old\") in the form of a real path below the scanned
// folder ("/docs/old"; "/" for the scanned folder itself). A stored path cannot tell a
// "\" inside a name from a separator; walks of a catalog build the path from the names.
std::string RealFolderPath(std::string_view storedPath);

// The folder path of an entry below folder: folder + "/" + name ("/" + name at the top).
std::string JoinFolderPath(std::string_view folder, std::string_view name);

}  // namespace kolvex
