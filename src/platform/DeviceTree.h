#pragma once
// What udev and sysfs say about the block devices beneath mounts, read below a system root
// ("" for the running system, a fixture folder in tests).
#include <map>
#include <optional>
#include <string>

#include "platform/MountInfo.h"

namespace kolvex {

class DeviceTree {
 public:
  // Reads the /dev/disk/by-label and /dev/disk/by-uuid links once, so one object answers
  // for one moment; make a new one to see media changed since.
  explicit DeviceTree(std::string systemRoot);

  // The kernel name of the block device of a mount ("sdb1", "dm-0", "loop3"), from
  // /sys/dev/block/MAJOR:MINOR or else from the mount source below /dev (following links
  // such as /dev/mapper/NAME); empty for mounts without a block device.
  std::string deviceName(const MountEntry& entry) const;
  // The device node of a kernel name, below the system root.
  std::string devicePath(const std::string& name) const { return root_ + "/dev/" + name; }

  // udev's view; nothing when udev published no such link for the device.
  std::optional<std::string> udevLabel(const std::string& name) const;
  std::optional<std::string> udevUuid(const std::string& name) const;
  // The file-system type udev recorded for a device number (/run/udev/data/bMAJOR:MINOR,
  // readable without root); empty when unknown.
  std::string udevFsType(unsigned major, unsigned minor) const;

  // The whole disk of a device: sdb1 -> sdb, nvme0n1p2 -> nvme0n1, mmcblk0p1 -> mmcblk0;
  // a device that is a disk itself (loop0, dm-0, sr0, md0) is its own disk.
  std::string diskOf(const std::string& name) const;
  // An optical drive: sr*, or SCSI device type 5.
  bool isOptical(const std::string& name) const;
  // /sys/block/<disk>/removable is 1, the disk hangs off a USB bus, or it is an SD card;
  // device-mapper and md devices are removable when a disk beneath them is.
  bool isRemovable(const std::string& name) const;

 private:
  std::map<std::string, std::string> readLinks(const std::string& folder) const;
  std::optional<std::string> readSys(const std::string& path) const;
  bool isUsbAttached(const std::string& disk) const;
  bool isRemovableDisk(const std::string& disk, int depth) const;

  std::string root_;
  std::map<std::string, std::string> labels_;  // device name -> label
  std::map<std::string, std::string> uuids_;   // device name -> UUID
};

// The disk name a partition name implies, from the name alone (sysfs may be missing).
std::string diskNameOfPartition(const std::string& name);

}  // namespace kolvex
