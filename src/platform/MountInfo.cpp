#include "platform/MountInfo.h"

#include <charconv>
#include <optional>

#include "platform/Escapes.h"

namespace kolvex {
namespace {

// Fields are separated by exactly one space; an empty source shows up as an empty field.
std::vector<std::string_view> splitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    std::size_t space = line.find(' ', start);
    fields.push_back(line.substr(start, space == std::string_view::npos ? space : space - start));
    if (space == std::string_view::npos) break;
    start = space + 1;
  }
  return fields;
}

template <typename T>
bool parseNumber(std::string_view s, T& out) {
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size() && !s.empty();
}

std::optional<MountEntry> parseLine(std::string_view line) {
  auto f = splitFields(line);
  // id parent major:minor root mount-point options [optional...] - type source super-options
  std::size_t dash = 6;
  while (dash < f.size() && f[dash] != "-") ++dash;
  if (f.size() < 7 || dash + 2 >= f.size()) return std::nullopt;
  MountEntry e;
  auto colon = f[2].find(':');
  if (colon == std::string_view::npos || !parseNumber(f[0], e.id) ||
      !parseNumber(f[1], e.parentId) || !parseNumber(f[2].substr(0, colon), e.major) ||
      !parseNumber(f[2].substr(colon + 1), e.minor))
    return std::nullopt;
  e.root = decodeOctalEscapes(f[3]);
  e.mountPoint = decodeOctalEscapes(f[4]);
  e.fsType = decodeOctalEscapes(f[dash + 1]);
  e.source = decodeOctalEscapes(f[dash + 2]);
  if (e.mountPoint.empty() || e.mountPoint[0] != '/' || e.fsType.empty()) return std::nullopt;
  while (e.mountPoint.size() > 1 && e.mountPoint.back() == '/') e.mountPoint.pop_back();
  return e;
}

}  // namespace

std::vector<MountEntry> parseMountInfo(std::string_view text) {
  std::vector<MountEntry> entries;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    if (auto e = parseLine(text.substr(start, end - start))) entries.push_back(std::move(*e));
    start = end + 1;
  }
  return entries;
}

}  // namespace kolvex
