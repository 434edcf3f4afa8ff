#pragma once
// A profile file on disk. Every lookup sees the file as it is now: the parsed text is kept
// only while the file's identity, size and times are unchanged, and a file changed so
// recently that a further change could keep the same time stamp is read again each time.
// A missing or unreadable file reads as empty; it is not an error.
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/app/ProfileDocument.h"
#include "core/persist/FileOps.h"

namespace kolvex {

struct ProfileEntry {
  std::string key;
  std::string value;
};

class ProfileFile {
 public:
  explicit ProfileFile(std::string path, FileOps& ops = posixFileOps());

  const std::string& path() const { return path_; }
  std::optional<std::string> find(std::string_view section, std::string_view key);
  std::string read(std::string_view section, std::string_view key, std::string_view fallback);

  // Writes entries into one section and replaces the file atomically, keeping every other
  // line. The file is created when missing. Throws EProfileError for an entry the file
  // cannot hold, EFOpenError when an existing file cannot be read (it would be lost) and
  // EStreamError when the new file cannot be written; the file is then unchanged.
  void write(std::string_view section, std::span<const ProfileEntry> entries);
  void write(std::string_view section, std::string_view key, std::string_view value);

 private:
  struct Stamp {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = -1;
    std::int64_t mtimeNs = 0;
    std::int64_t ctimeNs = 0;
    bool operator==(const Stamp&) const = default;
  };
  const ProfileDocument& current();
  // Reads the file; false when it does not exist (or cannot be read, with errno set).
  bool load(std::string& text, Stamp& stamp) const;

  std::string path_;
  FileOps& ops_;
  ProfileDocument doc_;
  std::optional<Stamp> cached_;  // set while doc_ may be reused for a file with this stamp
};

}  // namespace kolvex
