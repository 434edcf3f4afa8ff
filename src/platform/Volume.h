#pragma once
// A mounted volume as the rest of the program sees a drive.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/DriveKind.h"

namespace kolvex {

struct Volume {
  std::string mountPoint;  // the drive root
  std::string source;      // mount source: "/dev/sdb1", "server:/export", "tmpfs"
  std::string device;      // kernel name of the block device ("sdb1", "dm-0"), empty if none
  std::string label;       // file-system label, empty when there is none or it is unreadable
  std::string uuid;        // file-system UUID the serial was made from, empty if none
  std::optional<std::uint32_t> serial;  // nothing when the volume information is unreadable
  std::string fileSystem;               // "ext4", "vfat", "iso9660", "ntfs" (for fuseblk)
  std::int64_t capacity = -1;           // bytes, -1 when unknown
  DriveKind kind = DriveKind::Fixed;

  // The serial as unsigned decimal text, "0" when unreadable (the drive monitor's form).
  std::string serialText() const { return serial ? std::to_string(*serial) : "0"; }
};

// The volume holding a path and where the path lies on it.
struct VolumeLocation {
  Volume volume;
  std::string realPath;   // the path, resolved
  std::string belowRoot;  // "/" + the part below the mount point, empty for the mount point
};

}  // namespace kolvex
