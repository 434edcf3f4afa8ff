#include "core/catalog/FileNames.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "core/persist/FileOps.h"

namespace kolvex {

std::string ReplaceInvalidChars(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    switch (c) {
      case ':': case '"': case '|': case '*': case '?': case '/': case '\\': case '<': case '>':
        c = '_';
        break;
      default:
        break;
    }
  }
  return out;
}

namespace {

constexpr std::size_t kNameMax = 255;

std::uint64_t fnv1a64(const std::string& bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::size_t MaxFileNameBytes(const std::string& folder) {
  long max = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  return max > 0 && static_cast<std::size_t>(max) < kNameMax ? static_cast<std::size_t>(max) : kNameMax;
}

std::string FitFileName(const std::string& base, const std::string& extension, std::size_t limit) {
  if (base.size() + extension.size() <= limit) return base + extension;
  char hash[20];
  std::snprintf(hash, sizeof hash, "~%016llx~", static_cast<unsigned long long>(fnv1a64(base)));
  const std::size_t marker = 18;
  const std::size_t room = limit > extension.size() + marker ? limit - extension.size() - marker : 0;
  // The last folder whole when it takes at most half the room; else a third for the end
  // and the rest for the start (serial and upper folders).
  std::size_t tailLen = room / 3;
  const std::size_t last = base.rfind('_');
  const bool lastWhole = last != std::string::npos && base.size() - last <= room / 2;
  if (lastWhole) tailLen = std::max(tailLen, base.size() - last);
  std::size_t head = room - tailLen;
  while (head > 0 && continuationByte(base[head])) --head;
  std::size_t tail = base.size() - tailLen;
  if (!lastWhole) {
    // The end from a folder's start when one begins in its first half.
    const std::size_t cut = base.find('_', tail);
    if (cut != std::string::npos && cut < tail + tailLen / 2) tail = cut;
  }
  while (tail < base.size() && continuationByte(base[tail])) ++tail;
  return base.substr(0, head) + hash + base.substr(tail) + extension;
}

std::string MakeTempFileName() {
  FileOps& ops = posixFileOps();
  std::string path;
  int fd = createUniqueFile(ops, tempDirectory(), "QE_", ".tmp", path);
  ops.close(fd);
  return path;
}

}  // namespace kolvex
