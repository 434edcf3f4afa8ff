#include "platform/VolumeSerial.h"

#include <string>
#include <vector>

namespace kolvex {
namespace {

bool isHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::uint32_t hexValue(std::string_view digits) {
  std::uint32_t v = 0;
  for (char c : digits) {
    int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    v = v * 16 + static_cast<std::uint32_t>(d);
  }
  return v;
}

// The lengths of the dash-separated groups, or empty when a group holds a non-hex character.
std::vector<std::size_t> hexGroups(std::string_view uuid) {
  std::vector<std::size_t> groups{0};
  for (char c : uuid) {
    if (c == '-') {
      groups.push_back(0);
    } else if (isHex(c)) {
      ++groups.back();
    } else {
      return {};
    }
  }
  return groups;
}

}  // namespace

std::uint32_t fnv1a32(std::string_view bytes, std::uint32_t hash) {
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 16777619u;
  }
  return hash;
}

std::uint32_t serialFromUuid(std::string_view uuid) {
  const auto groups = hexGroups(uuid);
  std::string digits;
  for (char c : uuid)
    if (c != '-') digits += c;
  const bool fat = groups == std::vector<std::size_t>{4, 4};
  const bool standard = groups == std::vector<std::size_t>{8, 4, 4, 4, 12};
  const bool plain = groups.size() == 1 && groups[0] >= 8;
  if (fat) return hexValue(digits);
  if (plain && digits.size() == 16) return hexValue(std::string_view(digits).substr(8));
  if (plain || standard) return hexValue(std::string_view(digits).substr(0, 8));
  return fnv1a32(uuid);
}

std::uint32_t serialFromFsid(std::uint64_t fsid, std::string_view source) {
  char bytes[8];
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>((fsid >> (8 * i)) & 0xff);
  return fnv1a32(source, fnv1a32(std::string_view(bytes, 8)));
}

}  // namespace kolvex
