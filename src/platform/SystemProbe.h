#pragma once
// The few system calls the volume layer makes on mounted file systems and block devices.
// Behind an interface so tests can answer them for volumes that do not exist.
#include <cstdint>
#include <optional>
#include <string>

namespace kolvex {

// What a file-system superblock says about itself.
struct BlockIds {
  bool found = false;  // false: the device could not be read or holds no known file system
  std::string label;
  std::string uuid;
  std::string type;  // "ext4", "vfat", "ntfs", "exfat"
};

class SystemProbe {
 public:
  virtual ~SystemProbe() = default;
  // statvfs: f_blocks * f_frsize, -1 on failure.
  virtual std::int64_t capacity(const std::string& mountPoint) = 0;
  // statfs: f_fsid as (val[1] << 32) | val[0]; nothing on failure.
  virtual std::optional<std::uint64_t> fileSystemId(const std::string& mountPoint) = 0;
  // The superblock of a block device.
  virtual BlockIds probeDevice(const std::string& devicePath) = 0;
  // realpath(3); empty when the path does not exist or cannot be resolved.
  virtual std::string realPath(const std::string& path) = 0;
  // True for a directory (following links).
  virtual bool isDirectory(const std::string& path) = 0;
};

}  // namespace kolvex
