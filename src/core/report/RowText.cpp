#include "core/report/RowText.h"

#include <cstdio>

#include "core/catalog/DateTimeText.h"
#include "core/persist/TSCFileObjectInfo.h"

namespace kolvex {

std::string AttributeLetters(std::int32_t a) {
  std::string out;
  if (a & faDirectory) out += 'D';
  if (a & faReadOnly) out += 'R';
  if (a & faHidden) out += 'H';
  if (a & faSysFile) out += 'S';
  if (a & faArchive) out += 'A';
  if (a & faReparsePoint) out += 'L';
  if (a & faVolumeID) out += 'V';
  return out;
}

std::string HexBytes(std::string_view bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

bool BytesFromHex(std::string_view hex, std::string& bytes) {
  if (hex.size() % 2) return false;
  auto value = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  bytes.clear();
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int hi = value(hex[i]), lo = value(hex[i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes += static_cast<char>(hi * 16 + lo);
  }
  return true;
}

std::string RealFolderPath(std::string_view stored) {
  if (stored.size() >= 2 && stored[1] == ':') stored.remove_prefix(2);
  while (!stored.empty() && stored.back() == '\\') stored.remove_suffix(1);
  std::string out;
  for (char c : stored) out += c == '\\' ? '/' : c;
  if (out.empty() || out.front() != '/') out.insert(out.begin(), '/');
  return out;
}

std::string JoinFolderPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (out.empty() || out.back() != '/') out += '/';
  out += name;
  return out;
}

}  // namespace kolvex
