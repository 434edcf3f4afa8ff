#include "platform/DriveKind.h"

#include <algorithm>
#include <array>

namespace kolvex {
namespace {

template <std::size_t N>
bool oneOf(std::string_view s, const std::array<std::string_view, N>& names) {
  return std::find(names.begin(), names.end(), s) != names.end();
}

}  // namespace

std::string driveKindName(DriveKind kind) {
  switch (kind) {
    case DriveKind::Fixed:
      return "fixed";
    case DriveKind::Removable:
      return "removable";
    case DriveKind::CdRom:
      return "cdrom";
    case DriveKind::Network:
      return "network";
    case DriveKind::RamDisk:
      return "ramdisk";
  }
  return "fixed";
}

bool isNetworkFileSystem(std::string_view fsType) {
  static constexpr std::array<std::string_view, 18> kNetwork{
      "nfs",        "nfs4",      "cifs",           "smb3",  "smbfs",       "sshfs",
      "fuse.sshfs", "davfs",     "fuse.davfs2",    "9p",    "afs",         "ceph",
      "fuse.ceph",  "glusterfs", "fuse.glusterfs", "ncpfs", "fuse.rclone", "coda"};
  return oneOf(fsType, kNetwork);
}

bool isRamFileSystem(std::string_view fsType) {
  static constexpr std::array<std::string_view, 2> kRam{"tmpfs", "ramfs"};
  return oneOf(fsType, kRam);
}

bool isOpticalFileSystem(std::string_view fsType) {
  static constexpr std::array<std::string_view, 2> kOptical{"iso9660", "udf"};
  return oneOf(fsType, kOptical);
}

DriveKind driveKindFor(std::string_view fsType, bool opticalDevice, bool removableDevice) {
  if (isNetworkFileSystem(fsType)) return DriveKind::Network;
  if (isRamFileSystem(fsType)) return DriveKind::RamDisk;
  if (isOpticalFileSystem(fsType) || opticalDevice) return DriveKind::CdRom;
  if (removableDevice) return DriveKind::Removable;
  return DriveKind::Fixed;
}

}  // namespace kolvex
