#pragma once
// The description of a catalog: the lines of a "readme" file of the scanned folder.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kolvex {

// Description files larger than this are read only this far: a header is read by every
// view that lists the catalog.
inline constexpr std::size_t kMaxDescriptionBytes = 4 * 1024 * 1024;

// The lines of a text: Rich Text Format reduced to its plain text; otherwise UTF-8 (a
// byte-order mark dropped), UTF-16 with a byte-order mark, or Windows-1252 when the bytes
// are not valid UTF-8. Lines end at CR LF, LF or CR; a final line break adds no line.
std::vector<std::string> DescriptionLines(std::string_view bytes);

// A description file as read.
struct DescriptionFile {
  std::string path;
  std::vector<std::string> lines;
  // The file was longer than kMaxDescriptionBytes: only the lines that end within them
  // are kept (a single longer line is cut before a character).
  bool cut = false;
};

// The lines of a file; nothing when it is not a regular file that can be read.
std::optional<DescriptionFile> LoadDescriptionFile(const std::string& path);

// The first of the names that is a readable file in the folder (given with a trailing
// '/'): an exact match first, else a name that differs only in ASCII letter case (discs
// made on systems that ignore case say README.TXT for readme.txt). Its lines, or nothing.
std::optional<DescriptionFile> FindDescription(const std::string& folder,
                                               const std::vector<std::string>& names);

// What to tell the user about a description that was cut.
std::string DescriptionCutNote(const DescriptionFile& file);

}  // namespace kolvex
