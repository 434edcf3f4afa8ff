// The pure rules of the volume layer: which mounts are volumes, drive kinds, mount-point
// matching, the part below a mount point, disk names of partitions and the locate order.
#include <gtest/gtest.h>

#include "platform/DeviceTree.h"
#include "platform/DriveKind.h"
#include "platform/LocateOrder.h"
#include "platform/MountPath.h"
#include "platform/VolumeFilter.h"

namespace kolvex {
namespace {

MountEntry mount(const std::string& mp, const std::string& type) {
  MountEntry e;
  e.mountPoint = mp;
  e.fsType = type;
  return e;
}

TEST(VolumeRulesTest, PseudoFileSystemsAreNeverVolumes) {
  for (const char* t :
       {"proc",     "sysfs", "cgroup",   "cgroup2",     "devpts",   "mqueue",         "debugfs",
        "tracefs",  "bpf",   "fusectl",  "binfmt_misc", "autofs",   "securityfs",     "pstore",
        "configfs", "nsfs",  "devtmpfs", "hugetlbfs",   "efivarfs", "fuse.gvfsd-fuse"})
    EXPECT_FALSE(isVolumeMount(mount("/mnt/x", t))) << t;
  for (const char* t : {"ext4", "vfat", "iso9660", "fuseblk", "nfs4", "tmpfs", "overlay", "btrfs",
                        "squashfs", "fuse.sshfs"})
    EXPECT_TRUE(isVolumeMount(mount("/mnt/x", t))) << t;
}

TEST(VolumeRulesTest, SystemLocationsAreNeverVolumes) {
  EXPECT_FALSE(isVolumeMount(mount("/dev/shm", "tmpfs")));
  EXPECT_FALSE(isVolumeMount(mount("/sys/fs/cgroup", "tmpfs")));
  EXPECT_FALSE(isVolumeMount(mount("/proc/x", "ext4")));
  EXPECT_FALSE(isVolumeMount(mount("/run", "tmpfs")));
  EXPECT_FALSE(isVolumeMount(mount("/run/user/1000", "tmpfs")));
  EXPECT_FALSE(isVolumeMount(mount("/snap/core22/1380", "squashfs")));
  // A stick mounted below /run is real storage; so is a RAM disk the user made.
  EXPECT_TRUE(isVolumeMount(mount("/run/media/u/STICK", "vfat")));
  EXPECT_TRUE(isVolumeMount(mount("/tmp", "tmpfs")));
  EXPECT_TRUE(isVolumeMount(mount("/devices", "ext4")));
  EXPECT_TRUE(isVolumeMount(mount("/", "overlay")));
}

TEST(VolumeRulesTest, DriveKindsFollowTypeThenDevice) {
  EXPECT_EQ(driveKindFor("nfs4", false, true), DriveKind::Network);
  EXPECT_EQ(driveKindFor("fuse.sshfs", false, false), DriveKind::Network);
  EXPECT_EQ(driveKindFor("cifs", false, false), DriveKind::Network);
  EXPECT_EQ(driveKindFor("tmpfs", false, false), DriveKind::RamDisk);
  EXPECT_EQ(driveKindFor("ramfs", false, false), DriveKind::RamDisk);
  EXPECT_EQ(driveKindFor("iso9660", false, false), DriveKind::CdRom);
  EXPECT_EQ(driveKindFor("udf", false, true), DriveKind::CdRom);
  EXPECT_EQ(driveKindFor("vfat", true, true), DriveKind::CdRom);  // an sr* device
  EXPECT_EQ(driveKindFor("vfat", false, true), DriveKind::Removable);
  EXPECT_EQ(driveKindFor("ext4", false, false), DriveKind::Fixed);
  EXPECT_EQ(driveKindFor("overlay", false, false), DriveKind::Fixed);
  EXPECT_FALSE(isRemovableKind(DriveKind::Fixed));
  for (auto k : {DriveKind::Removable, DriveKind::CdRom, DriveKind::Network, DriveKind::RamDisk})
    EXPECT_TRUE(isRemovableKind(k)) << driveKindName(k);
}

TEST(VolumeRulesTest, MountPointsMatchWholeComponentsOnly) {
  EXPECT_TRUE(isAtOrBelow("/media/u/A", "/media/u/A"));
  EXPECT_TRUE(isAtOrBelow("/media/u/A/x", "/media/u/A"));
  EXPECT_TRUE(isAtOrBelow("/media/u/A/", "/media/u/A/"));
  EXPECT_FALSE(isAtOrBelow("/media/u/AB", "/media/u/A"));
  EXPECT_FALSE(isAtOrBelow("/media/u", "/media/u/A"));
  EXPECT_TRUE(isAtOrBelow("/anything", "/"));
  EXPECT_FALSE(isAtOrBelow("relative", "/"));

  const std::vector<std::string> points{"/", "/media/u/MY", "/media/u/MY STICK", "/media"};
  EXPECT_EQ(longestMountPoint(points, "/media/u/MY STICK/Docs"), 2);
  EXPECT_EQ(longestMountPoint(points, "/media/u/MY/Docs"), 1);
  EXPECT_EQ(longestMountPoint(points, "/media/u/MYSTERY"), 3);
  EXPECT_EQ(longestMountPoint(points, "/home/u"), 0);
  EXPECT_EQ(longestMountPoint({"/media"}, "/home/u"), -1);
}

TEST(VolumeRulesTest, PathBelowMountPointIsWhatALabelAndCatalogNameGetAppended) {
  EXPECT_EQ(pathBelowMountPoint("/media/u/MYDISC", "/media/u/MYDISC/Data/Sub/"), "/Data/Sub");
  EXPECT_EQ(pathBelowMountPoint("/media/u/MYDISC", "/media/u/MYDISC/Data/Sub"), "/Data/Sub");
  EXPECT_EQ(pathBelowMountPoint("/media/u/MYDISC", "/media/u/MYDISC/"), "");
  EXPECT_EQ(pathBelowMountPoint("/media/u/MYDISC", "/media/u/MYDISC"), "");
  EXPECT_EQ(pathBelowMountPoint("/", "/"), "");
  EXPECT_EQ(pathBelowMountPoint("/", "/home/u/"), "/home/u");
  EXPECT_EQ(pathBelowMountPoint("/media/u/MYDISC", "/media/u/MYDISCO/x"), "");
}

TEST(VolumeRulesTest, PartitionNamesGiveTheirDisk) {
  EXPECT_EQ(diskNameOfPartition("sdb1"), "sdb");
  EXPECT_EQ(diskNameOfPartition("sdaa12"), "sdaa");
  EXPECT_EQ(diskNameOfPartition("vda3"), "vda");
  EXPECT_EQ(diskNameOfPartition("xvda1"), "xvda");
  EXPECT_EQ(diskNameOfPartition("nvme0n1p1"), "nvme0n1");
  EXPECT_EQ(diskNameOfPartition("mmcblk0p2"), "mmcblk0");
  EXPECT_EQ(diskNameOfPartition("loop0p1"), "loop0");
  // Whole disks whose names end in a number.
  for (const char* d : {"sdb", "nvme0n1", "mmcblk0", "loop0", "dm-0", "sr0", "md127", "zram0"})
    EXPECT_EQ(diskNameOfPartition(d), d);
}

Volume vol(const std::string& mp, DriveKind kind, std::optional<std::uint32_t> serial) {
  Volume v;
  v.mountPoint = mp;
  v.kind = kind;
  v.serial = serial;
  return v;
}

TEST(VolumeRulesTest, LocateTriesTheSameClassAndTheCataloguedSerialFirst) {
  const std::vector<Volume> all{
      vol("/", DriveKind::Fixed, 1),        vol("/a", DriveKind::CdRom, 5),
      vol("/b", DriveKind::Removable, 123), vol("/c", DriveKind::Network, 7),
      vol("/d", DriveKind::Fixed, 123),     vol("/e", DriveKind::CdRom, std::nullopt)};
  std::vector<std::string> order;
  for (const auto& v : volumesForLocate(all, "123", true)) order.push_back(v.mountPoint);
  EXPECT_EQ(order, (std::vector<std::string>{"/b", "/a", "/c", "/e"}));
  order.clear();
  for (const auto& v : volumesForLocate(all, "123", false)) order.push_back(v.mountPoint);
  EXPECT_EQ(order, (std::vector<std::string>{"/d", "/"}));
  order.clear();
  // An unreadable serial prints as "0" but never counts as the catalogued volume.
  for (const auto& v : volumesForLocate(all, "0", true)) order.push_back(v.mountPoint);
  EXPECT_EQ(order, (std::vector<std::string>{"/a", "/b", "/c", "/e"}));
}

}  // namespace
}  // namespace kolvex
