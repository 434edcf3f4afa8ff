#include "platform/VolumeFilter.h"

#include <algorithm>
#include <array>

#include "platform/DriveKind.h"
#include "platform/MountPath.h"

namespace kolvex {

bool isPseudoFileSystem(std::string_view fsType) {
  static constexpr std::array<std::string_view, 27> kPseudo{
      "proc",        "sysfs",      "cgroup",     "cgroup2",  "devpts",
      "mqueue",      "debugfs",    "tracefs",    "bpf",      "fusectl",
      "binfmt_misc", "autofs",     "securityfs", "pstore",   "configfs",
      "nsfs",        "devtmpfs",   "hugetlbfs",  "efivarfs", "selinuxfs",
      "smackfs",     "apparmorfs", "rpc_pipefs", "nfsd",     "fuse.gvfsd-fuse",
      "fuse.portal", "fuse.lxcfs"};
  return std::find(kPseudo.begin(), kPseudo.end(), fsType) != kPseudo.end();
}

bool isVolumeMount(const MountEntry& entry) {
  if (isPseudoFileSystem(entry.fsType)) return false;
  const std::string_view mp = entry.mountPoint;
  if (isAtOrBelow(mp, "/proc") || isAtOrBelow(mp, "/sys") || isAtOrBelow(mp, "/dev")) return false;
  if (isRamFileSystem(entry.fsType) && isAtOrBelow(mp, "/run")) return false;
  if (entry.fsType == "squashfs" && isAtOrBelow(mp, "/snap")) return false;
  return true;
}

bool isInsertedMedium(std::string_view mountPoint, DriveKind kind) {
  if (kind == DriveKind::RamDisk) return false;
  if (kind == DriveKind::Removable || kind == DriveKind::CdRom) return true;
  auto below = [&](std::string_view folder) {
    return mountPoint != folder && isAtOrBelow(mountPoint, folder);
  };
  return below("/media") || below("/run/media") || isAtOrBelow(mountPoint, "/mnt");
}

bool isRepeatMount(const MountEntry& entry, const std::vector<MountEntry>& inMountOrder) {
  if (entry.root != "/") return true;
  for (const auto& m : inMountOrder) {
    if (m.id == entry.id) return false;
    if (m.major == entry.major && m.minor == entry.minor) return true;
  }
  return false;
}

}  // namespace kolvex
