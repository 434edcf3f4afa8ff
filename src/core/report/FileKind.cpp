#include "core/report/FileKind.h"

namespace kolvex {

std::string_view FileKindName(FileKind kind) {
  switch (kind) {
    case FileKind::Image: return "image";
    case FileKind::Audio: return "audio";
    case FileKind::Video: return "video";
    case FileKind::Document: return "document";
    case FileKind::Archive: return "archive";
    case FileKind::Other: break;
  }
  return "other";
}

namespace {

bool allDigits(std::string_view s) {
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// A letter of any script: ASCII letters, and the bytes of UTF-8 (or other 8-bit) letters.
bool holdsLetter(std::string_view s) {
  for (unsigned char c : s)
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80) return true;
  return false;
}

}  // namespace

std::string ExtensionOf(std::string_view name) {
  for (;;) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()) return {};
    const std::string_view part = name.substr(dot + 1);
    if (allDigits(part)) {  // a version or part number: libfoo.so.13, backup.tar.001
      name = name.substr(0, dot);
      continue;
    }
    if (!holdsLetter(part)) return {};
    std::string ext(part);
    for (char& c : ext)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
  }
}

FileKind FileKinds::kindOfExtension(const std::string& extension) {
  if (extension.empty()) return FileKind::Other;
  auto it = known_.find(extension);
  if (it == known_.end()) it = known_.emplace(extension, classifier_.kindOfExtension(extension)).first;
  return it->second;
}

}  // namespace kolvex
