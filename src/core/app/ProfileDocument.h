#pragma once
// The text of a profile file ("[Section]" lines and "key=value" entries) held line by line,
// so that changing one entry rewrites that line alone and keeps every other line (comments,
// blank lines, sections nobody asks for) as it stood.
//
// Reading follows the classic profile-file rules: section and key names are compared
// without regard to ASCII letter case, blanks around a value are dropped, one pair of
// matching single or double quotation marks around it is removed, and a value is cut to
// kMaxValueLength characters. When a section or key appears twice the first one counts.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kolvex {

class ProfileDocument {
 public:
  static constexpr std::size_t kMaxValueLength = 2047;

  ProfileDocument() = default;
  // Text that is not valid UTF-8 was written by an 8-bit program and is read as
  // Windows-1252.
  explicit ProfileDocument(std::string_view text);

  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  // Replaces the entry, or adds it at the end of its section (or of the file, in a new
  // section). A value that reading would change (outer blanks, outer quotes) is written in
  // quotes, so it reads back exactly. Throws EProfileError for a name or value the file
  // cannot hold; the document is then unchanged.
  void set(std::string_view section, std::string_view key, std::string_view value);
  // The whole file, in the line ends it was read with.
  std::string text() const;

 private:
  enum class Kind { Other, Section, Entry };
  struct Line {
    std::string text;
    Kind kind = Kind::Other;
    std::string name;  // section name or key, trimmed
  };
  static Line classify(std::string text);
  void buildIndex();

  std::vector<Line> lines_;
  std::string eol_ = "\n";
  bool bom_ = false;
  bool finalEol_ = true;
  // Lower-case "section\nkey" to the value as reading returns it.
  std::unordered_map<std::string, std::string> index_;
};

}  // namespace kolvex
