#pragma once
// The mounted volumes of the system: the Linux counterpart of drive letters, volume
// information and drive types.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/MountInfo.h"
#include "platform/SystemProbe.h"
#include "platform/Volume.h"

namespace kolvex {

class DeviceTree;

class VolumeTable {
 public:
  // `systemRoot` is put before /proc, /sys and /dev ("" for the running system). Mount
  // points, as the kernel lists them, are handed to the probe unchanged.
  explicit VolumeTable(SystemProbe& probe, std::string systemRoot = {});

  // The mounts that are volumes, one per mount point (the last mount over a folder hides
  // the earlier ones), in mount-point order. Mounts of single files (a container's bound
  // /etc/hosts) are left out. Throws VolumeError when the mount list cannot be read.
  std::vector<MountEntry> mounts() const;

  // Every volume with everything known about it, in mount-point order.
  std::vector<Volume> list() const;

  // The volume holding a path (the longest mount point of its real path) and the path's
  // part below that mount point; nothing when the path does not exist. Throws
  // VolumeError when that mount is no volume (proc, sysfs, a RAM disk below /run: what
  // mounts() leaves out), and when the mount list cannot be read.
  std::optional<VolumeLocation> locate(const std::string& path) const;

  // The drive monitor's view of the media a person inserts (isInsertedMedium): mount
  // point -> serial as decimal text, "0" when unreadable. Only the serial and the drive
  // kind are read, so a poll stays cheap. A bind mount, or a second mount of a volume
  // mounted already, is left out (isRepeatMount).
  std::map<std::string, std::string> snapshot() const;

 private:
  // The mount list as the kernel gives it, in mount order.
  std::vector<MountEntry> mountList() const;
  // One mount per mount point (the last mount over a folder), in mount-point order.
  static std::vector<MountEntry> lastPerMountPoint(std::vector<MountEntry> inMountOrder);
  // Every mount of the list, one per mount point.
  std::vector<MountEntry> allMounts() const;
  // Those of `visible` that are volumes.
  std::vector<MountEntry> volumesOf(std::vector<MountEntry> visible) const;
  struct Identity {
    std::string label;
    std::string uuid;
    std::string probedType;
  };
  Identity identify(const MountEntry& entry, const DeviceTree& devices, const std::string& device,
                    bool wantLabel) const;
  std::optional<std::uint32_t> serialOf(const MountEntry& entry, const std::string& uuid) const;
  Volume describe(const MountEntry& entry, const DeviceTree& devices) const;

  SystemProbe& probe_;
  std::string root_;
};

}  // namespace kolvex
