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

std::string ExtensionOf(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()) return {};
  std::string ext(name.substr(dot + 1));
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext;
}

FileKind FileKinds::kindOfExtension(const std::string& extension) {
  if (extension.empty()) return FileKind::Other;
  auto it = known_.find(extension);
  if (it == known_.end()) it = known_.emplace(extension, classifier_.kindOfExtension(extension)).first;
  return it->second;
}

}  // namespace kolvex
