#include "FakeSystem.h"

#include <cstdlib>
#include <filesystem>

namespace kolvex::test {
namespace fs = std::filesystem;

std::int64_t FakeProbe::capacity(const std::string& mountPoint) {
  auto it = capacities.find(mountPoint);
  return it == capacities.end() ? -1 : it->second;
}

std::optional<std::uint64_t> FakeProbe::fileSystemId(const std::string& mountPoint) {
  auto it = fsids.find(mountPoint);
  if (it == fsids.end()) return std::nullopt;
  return it->second;
}

BlockIds FakeProbe::probeDevice(const std::string& devicePath) {
  probedDevices.push_back(devicePath);
  auto it = blockIds.find(fs::path(devicePath).filename().string());
  return it == blockIds.end() ? BlockIds{} : it->second;
}

std::string FakeProbe::realPath(const std::string& path) {
  if (missing.count(path)) return {};
  if (auto it = realPaths.find(path); it != realPaths.end()) return it->second;
  std::string p = fs::path(path).lexically_normal().string();
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

bool FakeProbe::isDirectory(const std::string& path) {
  return !plainFiles.count(path) && !missing.count(path);
}

FakeSystem::FakeSystem() : root_(dir_.path().substr(0, dir_.path().size() - 1)) {}

void FakeSystem::writeMountInfo(const std::string& text) { file("/proc/self/mountinfo", text); }

void FakeSystem::link(const std::string& path, const std::string& target) {
  fs::create_directories(fs::path(root_ + path).parent_path());
  fs::create_symlink(target, root_ + path);
}

void FakeSystem::file(const std::string& path, const std::string& content) {
  fs::create_directories(fs::path(root_ + path).parent_path());
  writeFile(root_ + path, content);
}

std::string platformData(const std::string& name) {
  const char* data = std::getenv("KOLVEX_TEST_DATA");
  return readFile(std::string(data ? data : "data") + "/platform/" + name);
}

void FakeSystem::buildDesktop() {
  writeMountInfo(platformData("mountinfo-desktop.txt"));
  const std::string ata = "/sys/devices/pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0";
  const std::string ata2 = "/sys/devices/pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0";
  const std::string usb =
      "/sys/devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/"
      "target6:0:0/6:0:0:0";
  const std::string usb2 =
      "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-3/1-3:1.0/host7/"
      "target7:0:0/7:0:0:0";
  const std::string nvme = "/sys/devices/pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0";
  const std::string mmc = "/sys/devices/pci0000:00/0000:00:14.5/mmc_host/mmc0/mmc0:aaaa";
  const std::string cd = "/sys/devices/pci0000:00/0000:00:17.0/ata3/host2/target2:0:0/2:0:0:0";

  // Disks as sysfs shows them: /sys/block/<disk> links into the device tree.
  auto disk = [&](const std::string& name, const std::string& parent,
                  const std::string& removable) {
    file(parent + "/block/" + name + "/removable", removable + "\n");
    link("/sys/block/" + name, ".." + parent.substr(4) + "/block/" + name);
  };
  disk("sda", ata, "0");
  disk("sdb", usb, "0");  // a USB hard disk says 0; the bus makes it removable
  disk("sdc", ata2, "0");
  disk("sde", usb2, "0");
  disk("sr0", cd, "1");
  disk("nvme0n1", nvme, "0");
  disk("mmcblk0", mmc, "0");
  file(mmc + "/block/mmcblk0/device/type", "SD\n");
  disk("dm-0", "/sys/devices/virtual", "0");
  file("/sys/devices/virtual/block/dm-0/slaves/sda3/dev", "8:3\n");
  disk("dm-1", "/sys/devices/virtual", "0");
  file("/sys/devices/virtual/block/dm-1/slaves/sde1/dev", "8:65\n");
  disk("loop3", "/sys/devices/virtual", "0");
  link("/sys/dev/block/8:2",
       "../../devices/pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/"
       "0:0:0:0/block/sda/sda2");
  link("/sys/dev/block/8:17",
       "../../devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/"
       "target6:0:0/6:0:0:0/block/sdb/sdb1");
  link("/dev/mapper/vg-home", "../dm-0");
  link("/dev/mapper/luks-0f3c", "../dm-1");

  // udev's links; dm-1 (just unlocked) and sdd1 have none yet.
  link("/dev/disk/by-uuid/11aa22bb-3c4d-5e6f-8091-a2b3c4d5e6f7", "../../sda2");
  link("/dev/disk/by-uuid/ABCD-EF01", "../../nvme0n1p1");
  link("/dev/disk/by-uuid/4A2B-1C3D", "../../sdb1");
  link("/dev/disk/by-uuid/2001-05-12-10-30-00-00", "../../sr0");
  link("/dev/disk/by-uuid/1C2E3F4A5B6C7D8E", "../../sdc1");
  link("/dev/disk/by-uuid/0f3c2b1a-aaaa-bbbb-cccc-ddddeeeeffff", "../../dm-0");
  link("/dev/disk/by-uuid/1234-5678", "../../mmcblk0p1");
  link("/dev/disk/by-label/MY\\x20STICK", "../../sdb1");
  link("/dev/disk/by-label/PHOTOS_2001", "../../sr0");
  link("/dev/disk/by-label/Back\\x2fup", "../../sdc1");
  link("/dev/disk/by-label/home", "../../dm-0");

  probe_.blockIds["sdc1"] = {true, "Back/up", "1C2E3F4A5B6C7D8E", "ntfs"};
  probe_.blockIds["dm-1"] = {true, "Secret", "deadbeef-0000-1111-2222-333344445555", "ext4"};
  probe_.blockIds["mmcblk0p1"] = {true, "CARD", "1234-5678", "exfat"};
  probe_.capacities = {{"/", 500107862016},
                       {"/media/u/MY STICK", 8004304896},
                       {"/media/u/PHOTOS_2001", 681574400},
                       {"/tmp", 8192000000},
                       {"/mnt/nas", 4000000000000}};
  probe_.fsids = {{"/", 0x1111222233334444},
                  {"/tmp", 0xAABBCCDD00112233},
                  {"/mnt/nas", 0},
                  {"/mnt/over", 0x1234},
                  {"/media/u/Tab\tName", 0x77}};
  probe_.plainFiles = {"/etc/hosts"};
}

}  // namespace kolvex::test
