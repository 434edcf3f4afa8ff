#pragma once
// Kinds of file for statistics and the space map, decided by the desktop's MIME database
// from a file's extension alone (a catalog holds names, not contents). The core asks
// through FileKindClassifier; the desktop program and kolvex-cli answer with Qt's MIME
// database, tests with a table of their own.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kolvex {

enum class FileKind : std::uint8_t { Image, Audio, Video, Document, Archive, Other };
inline constexpr int kFileKindCount = 6;
inline constexpr std::array<FileKind, kFileKindCount> kAllFileKinds = {
    FileKind::Image,    FileKind::Audio,   FileKind::Video,
    FileKind::Document, FileKind::Archive, FileKind::Other};

// "image", "audio", "video", "document", "archive", "other".
std::string_view FileKindName(FileKind kind);

class FileKindClassifier {
 public:
  virtual ~FileKindClassifier() = default;
  // The kind of files with this extension (lower case, without the dot, never empty).
  virtual FileKind kindOfExtension(const std::string& extension) = 0;
};

// The extension of a file name: the text after its last dot in lower case (a to z), or
// "" when there is none (no dot, a dot at the end, or only a leading dot as in
// ".profile").
std::string ExtensionOf(std::string_view fileName);

// Asks the classifier once per extension.
class FileKinds {
 public:
  explicit FileKinds(FileKindClassifier& classifier) : classifier_(classifier) {}
  FileKind kindOf(std::string_view fileName) { return kindOfExtension(ExtensionOf(fileName)); }
  FileKind kindOfExtension(const std::string& extension);

 private:
  FileKindClassifier& classifier_;
  std::unordered_map<std::string, FileKind> known_;
};

}  // namespace kolvex
