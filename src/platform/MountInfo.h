#pragma once
// One line of /proc/self/mountinfo, with every escaped field decoded.
#include <string>
#include <string_view>
#include <vector>

namespace kolvex {

struct MountEntry {
  int id = 0;
  int parentId = 0;
  unsigned major = 0;  // of st_dev; 0 for file systems without a block device
  unsigned minor = 0;
  std::string root;        // the folder of the file system mounted here ("/" for all of it)
  std::string mountPoint;  // absolute, no trailing "/" except for "/" itself
  std::string fsType;      // as the kernel names it: "ext4", "vfat", "fuse.sshfs"
  std::string source;      // "/dev/sdb1", "server:/export", "tmpfs"
};

// Parses the text of a mountinfo file. Lines that do not have the kernel's layout are
// skipped, so one odd line never hides the other mounts.
std::vector<MountEntry> parseMountInfo(std::string_view text);

}  // namespace kolvex
