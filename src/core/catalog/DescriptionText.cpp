#include "core/catalog/DescriptionText.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "core/catalog/RtfText.h"
#include "core/persist/TextCodec.h"

namespace kolvex {
namespace {

std::string decodeText(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    bytes.remove_prefix(2);
    return utf16leToUtf8(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size() / 2);
  }
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE &&
      static_cast<unsigned char>(bytes[1]) == 0xFF) {
    std::string swapped(bytes.substr(2, (bytes.size() - 2) & ~std::size_t{1}));
    for (std::size_t i = 0; i + 1 < swapped.size(); i += 2) std::swap(swapped[i], swapped[i + 1]);
    return utf16leToUtf8(reinterpret_cast<const std::uint8_t*>(swapped.data()), swapped.size() / 2);
  }
  if (isValidUtf8(bytes)) return std::string(bytes);
  return cp1252ToUtf8(bytes);
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

}  // namespace

std::vector<std::string> DescriptionLines(std::string_view bytes) {
  if (IsRtf(bytes)) return splitLines(RtfToText(bytes));
  return splitLines(decodeText(bytes));
}

std::optional<DescriptionFile> LoadDescriptionFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  // Non-blocking, so that a file swapped for a pipe after the check cannot hang the scan.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  char buf[65536];
  bool failed = false;
  // One byte more than is kept tells whether there was more.
  while (bytes.size() <= kMaxDescriptionBytes) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      failed = true;
      break;
    }
    if (n == 0) break;
    bytes.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (failed) return std::nullopt;
  DescriptionFile file{path, {}, bytes.size() > kMaxDescriptionBytes};
  if (!file.cut) {
    file.lines = DescriptionLines(bytes);
    return file;
  }
  // Only whole lines are kept; a single line that long is cut before a character.
  std::size_t end = bytes.rfind('\n', kMaxDescriptionBytes - 1);
  if (end != std::string::npos && end > 0) {
    bytes.resize(end + 1);
  } else {
    end = kMaxDescriptionBytes;
    while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80) --end;
    bytes.resize(end);
  }
  file.lines = DescriptionLines(bytes);
  return file;
}

std::string DescriptionCutNote(const DescriptionFile& file) {
  return "The description file " + file.path + " is longer than " +
         std::to_string(kMaxDescriptionBytes / (1024 * 1024)) +
         " MiB; only the lines within its first " +
         std::to_string(kMaxDescriptionBytes / (1024 * 1024)) + " MiB are kept";
}

std::optional<DescriptionFile> FindDescription(const std::string& folder,
                                               const std::vector<std::string>& names) {
  std::vector<std::string> entries;
  bool listed = false;
  for (const std::string& name : names) {
    if (name.empty() || name.find('/') != std::string::npos) continue;
    if (auto lines = LoadDescriptionFile(folder + name)) return lines;
    if (!listed) {
      listed = true;
      std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
      if (dir)
        while (dirent* e = ::readdir(dir.get())) entries.emplace_back(e->d_name);
    }
    for (const std::string& entry : entries)
      if (entry != name && sameIgnoringAsciiCase(entry, name))
        if (auto lines = LoadDescriptionFile(folder + entry)) return lines;
  }
  return std::nullopt;
}

}  // namespace kolvex
