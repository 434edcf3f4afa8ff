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

// The extension of a file name: the text after its last dot in lower case (a to z), when
// that text holds a letter. Numbers after the last dot are versions or part numbers, not
// kinds of file: they are passed over, so libfoo.so.13 has the extension "so" and
// backup.tar.001 "tar". "" when there is none (no dot, a dot at the end, only a leading
// dot as in ".profile", numbers alone as in python3.11, or no letter as in "a.-").
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
