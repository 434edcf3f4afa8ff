#include "platform/VolumeTable.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/DeviceTree.h"
#include "platform/MountPath.h"
#include "platform/VolumeError.h"
#include "platform/VolumeFilter.h"
#include "platform/VolumeSerial.h"

namespace kolvex {

VolumeTable::VolumeTable(SystemProbe& probe, std::string systemRoot)
    : probe_(probe), root_(std::move(systemRoot)) {}

std::vector<MountEntry> VolumeTable::mountList() const {
  const std::string file = root_ + "/proc/self/mountinfo";
  std::ifstream in(file);
  if (!in) throw VolumeError("Cannot read " + file + ": " + std::strerror(errno));
  std::ostringstream text;
  text << in.rdbuf();  // /proc files report size 0, so read until the end
  if (in.bad()) throw VolumeError("Cannot read " + file);
  return parseMountInfo(text.str());
}

std::vector<MountEntry> VolumeTable::lastPerMountPoint(std::vector<MountEntry> inMountOrder) {
  // The last mount over a folder is the one visible there, even when it is no volume.
  std::map<std::string, MountEntry> byMountPoint;  // ordered by mount point
  for (auto& e : inMountOrder) byMountPoint.insert_or_assign(e.mountPoint, std::move(e));
  std::vector<MountEntry> result;
  result.reserve(byMountPoint.size());
  for (auto& [mp, e] : byMountPoint) result.push_back(std::move(e));
  return result;
}

std::vector<MountEntry> VolumeTable::allMounts() const { return lastPerMountPoint(mountList()); }

std::vector<MountEntry> VolumeTable::volumesOf(std::vector<MountEntry> visible) const {
  std::vector<MountEntry> result;
  for (auto& e : visible)
    if (isVolumeMount(e) && probe_.isDirectory(e.mountPoint)) result.push_back(std::move(e));
  return result;
}

std::vector<MountEntry> VolumeTable::mounts() const { return volumesOf(allMounts()); }

VolumeTable::Identity VolumeTable::identify(const MountEntry& entry, const DeviceTree& devices,
                                            const std::string& device, bool wantLabel) const {
  Identity id;
  if (device.empty()) return id;
  auto label = devices.udevLabel(device);
  auto uuid = devices.udevUuid(device);
  // fuseblk hides the real type, which only the superblock tells.
  const bool needProbe = !uuid || (wantLabel && (!label || entry.fsType == "fuseblk"));
  BlockIds probed;
  if (needProbe) probed = probe_.probeDevice(devices.devicePath(device));
  id.label = label ? *label : probed.label;
  id.uuid = uuid ? *uuid : probed.uuid;
  id.probedType = probed.type;
  return id;
}

std::optional<std::uint32_t> VolumeTable::serialOf(const MountEntry& entry,
                                                   const std::string& uuid) const {
  if (!uuid.empty()) return serialFromUuid(uuid);
  if (auto fsid = probe_.fileSystemId(entry.mountPoint)) return serialFromFsid(*fsid, entry.source);
  return std::nullopt;
}

Volume VolumeTable::describe(const MountEntry& entry, const DeviceTree& devices) const {
  Volume v;
  v.mountPoint = entry.mountPoint;
  v.source = entry.source;
  v.device = devices.deviceName(entry);
  const Identity id = identify(entry, devices, v.device, true);
  v.label = id.label;
  v.uuid = id.uuid;
  v.serial = serialOf(entry, id.uuid);
  v.fileSystem = entry.fsType;
  if (entry.fsType == "fuseblk") {
    // The superblock names the real type; udev's record of it serves users who cannot
    // read the device.
    std::string real = id.probedType;
    if (real.empty()) real = devices.udevFsType(entry.major, entry.minor);
    if (!real.empty()) v.fileSystem = real;
  }
  v.capacity = probe_.capacity(entry.mountPoint);
  v.kind = driveKindFor(v.fileSystem, devices.isOptical(v.device), devices.isRemovable(v.device));
  return v;
}

std::vector<Volume> VolumeTable::list() const {
  const auto entries = mounts();
  const DeviceTree devices(root_);
  std::vector<Volume> volumes;
  volumes.reserve(entries.size());
  for (const auto& e : entries) volumes.push_back(describe(e, devices));
  return volumes;
}

std::optional<VolumeLocation> VolumeTable::locate(const std::string& path) const {
  const std::string real = probe_.realPath(path);
  if (real.empty()) return std::nullopt;
  // Among every mount, not only the volumes: a path below /proc lies on proc, not on the
  // volume mounted at /.
  const auto entries = allMounts();
  std::vector<std::string> points;
  points.reserve(entries.size());
  for (const auto& e : entries) points.push_back(e.mountPoint);
  const int best = longestMountPoint(points, real);
  if (best < 0) return std::nullopt;
  const MountEntry& entry = entries[static_cast<std::size_t>(best)];
  if (!isVolumeMount(entry))
    throw VolumeError(real + " lies on " + entry.mountPoint + " (" + entry.fsType +
                      "), a file system of the kernel or of the running system, not on a "
                      "volume that can be catalogued");
  const DeviceTree devices(root_);
  return VolumeLocation{describe(entry, devices), real,
                        pathBelowMountPoint(entry.mountPoint, real)};
}

std::map<std::string, std::string> VolumeTable::snapshot() const {
  const auto inMountOrder = mountList();
  const auto entries = volumesOf(lastPerMountPoint(inMountOrder));
  const DeviceTree devices(root_);
  std::map<std::string, std::string> serials;
  for (const auto& e : entries) {
    if (isRepeatMount(e, inMountOrder)) continue;
    const std::string device = devices.deviceName(e);
    const DriveKind kind =
        driveKindFor(e.fsType, devices.isOptical(device), devices.isRemovable(device));
    if (!isInsertedMedium(e.mountPoint, kind)) continue;
    const Identity id = identify(e, devices, device, false);
    const auto serial = serialOf(e, id.uuid);
    serials.emplace(e.mountPoint, serial ? std::to_string(*serial) : "0");
  }
  return serials;
}

}  // namespace kolvex
