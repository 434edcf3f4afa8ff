#include <gtest/gtest.h>

#include <algorithm>

#include "FakeSystem.h"
#include "platform/VolumeError.h"
#include "platform/VolumeSerial.h"
#include "platform/VolumeFilter.h"
#include "platform/VolumeTable.h"

namespace kolvex {
namespace {

using test::FakeSystem;

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override { sys.buildDesktop(); }
  VolumeTable table() { return VolumeTable(sys.probe(), sys.root()); }
  const Volume& find(const std::vector<Volume>& all, const std::string& mp) {
    auto it =
        std::find_if(all.begin(), all.end(), [&](const Volume& v) { return v.mountPoint == mp; });
    if (it == all.end()) throw std::runtime_error("no volume " + mp);
    return *it;
  }
  FakeSystem sys;
};

TEST_F(DesktopTest, ListsRealStorageOncePerMountPointInOrder) {
  std::vector<std::string> points;
  for (const auto& v : table().list()) points.push_back(v.mountPoint);
  EXPECT_EQ(points,
            (std::vector<std::string>{
                "/", "/boot/efi", "/home", "/media/u/Backup", "/media/u/MY STICK",
                "/media/u/PHOTOS_2001", "/media/u/SDCARD", "/media/u/Secret", "/media/u/Tab\tName",
                "/mnt/auto", "/mnt/nas", "/mnt/over", "/mnt/share", "/srv/data", "/tmp"}));
}

struct Expected {
  std::string mountPoint, device, label, fileSystem;
  std::optional<std::uint32_t> serial;
  std::int64_t capacity;
  DriveKind kind;
};

TEST_F(DesktopTest, DescribesEachVolume) {
  const auto all = table().list();
  const std::vector<Expected> expected{
      {"/", "sda2", "", "ext4", 0x11aa22bb, 500107862016, DriveKind::Fixed},
      {"/boot/efi", "nvme0n1p1", "", "vfat", 0xABCDEF01, -1, DriveKind::Fixed},
      {"/home", "dm-0", "home", "ext4", 0x0f3c2b1a, -1, DriveKind::Fixed},
      {"/media/u/Backup", "sdc1", "Back/up", "ntfs", 0x5B6C7D8E, -1, DriveKind::Fixed},
      {"/media/u/MY STICK", "sdb1", "MY STICK", "vfat", 0x4A2B1C3D, 8004304896,
       DriveKind::Removable},
      {"/media/u/PHOTOS_2001", "sr0", "PHOTOS_2001", "iso9660", fnv1a32("2001-05-12-10-30-00-00"),
       681574400, DriveKind::CdRom},
      {"/media/u/SDCARD", "mmcblk0p1", "CARD", "exfat", 0x12345678, -1, DriveKind::Removable},
      {"/media/u/Secret", "dm-1", "Secret", "ext4", 0xdeadbeef, -1, DriveKind::Removable},
      {"/media/u/Tab\tName", "", "", "tmpfs", serialFromFsid(0x77, "tmpfs"), -1,
       DriveKind::RamDisk},
      {"/mnt/auto", "sdf1", "", "ext4", std::nullopt, -1, DriveKind::Fixed},
      {"/mnt/nas", "", "", "nfs4", serialFromFsid(0, "nas:/export/home"), 4000000000000,
       DriveKind::Network},
      {"/mnt/over", "sdd1", "", "ext4", serialFromFsid(0x1234, "/dev/sdd1"), -1, DriveKind::Fixed},
      {"/mnt/share", "", "", "cifs", std::nullopt, -1, DriveKind::Network},
      {"/srv/data", "sda2", "", "ext4", 0x11aa22bb, -1, DriveKind::Fixed},
      {"/tmp", "", "", "tmpfs", serialFromFsid(0xAABBCCDD00112233, "tmpfs"), 8192000000,
       DriveKind::RamDisk},
  };
  ASSERT_EQ(all.size(), expected.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    SCOPED_TRACE(expected[i].mountPoint);
    EXPECT_EQ(all[i].mountPoint, expected[i].mountPoint);
    EXPECT_EQ(all[i].device, expected[i].device);
    EXPECT_EQ(all[i].label, expected[i].label);
    EXPECT_EQ(all[i].fileSystem, expected[i].fileSystem);
    EXPECT_EQ(all[i].serial, expected[i].serial);
    EXPECT_EQ(all[i].capacity, expected[i].capacity);
    EXPECT_EQ(driveKindName(all[i].kind), driveKindName(expected[i].kind));
  }
  EXPECT_EQ(find(all, "/mnt/share").serialText(), "0");
  EXPECT_EQ(find(all, "/media/u/MY STICK").serialText(), "1244339261");
}

TEST_F(DesktopTest, SnapshotHoldsTheMediaAPersonInsertsAndProbesOnlyWhatUdevDoesNotKnow) {
  const auto all = table().list();
  sys.probe().probedDevices.clear();
  const auto snap = table().snapshot();
  // Removable and optical drives, and whatever is mounted below /media or at /mnt; not the
  // system's own disks and never a RAM disk, wherever it is mounted.
  std::vector<std::string> points;
  for (const auto& [mp, serial] : snap) {
    points.push_back(mp);
    EXPECT_EQ(serial, find(all, mp).serialText()) << mp;
  }
  EXPECT_EQ(points, (std::vector<std::string>{"/media/u/Backup", "/media/u/MY STICK",
                                              "/media/u/PHOTOS_2001", "/media/u/SDCARD",
                                              "/media/u/Secret", "/mnt/auto", "/mnt/nas",
                                              "/mnt/over", "/mnt/share"}));
  EXPECT_EQ(snap.at("/mnt/share"), "0");
  EXPECT_EQ(sys.probe().probedDevices,
            (std::vector<std::string>{sys.root() + "/dev/dm-1", sys.root() + "/dev/sdf1",
                                      sys.root() + "/dev/sdd1"}));
}

TEST_F(DesktopTest, LocateFindsTheLongestMountPointOfTheRealPath) {
  auto t = table();
  auto stick = t.locate("/media/u/MY STICK/Data/Sub/");
  ASSERT_TRUE(stick);
  EXPECT_EQ(stick->volume.mountPoint, "/media/u/MY STICK");
  EXPECT_EQ(stick->volume.label, "MY STICK");
  EXPECT_EQ(stick->belowRoot, "/Data/Sub");
  EXPECT_EQ(stick->realPath, "/media/u/MY STICK/Data/Sub");

  auto root = t.locate("/media/u/MY STICK");
  ASSERT_TRUE(root);
  EXPECT_EQ(root->belowRoot, "");

  auto elsewhere = t.locate("/media/u/MY STICKER/x");
  ASSERT_TRUE(elsewhere);
  EXPECT_EQ(elsewhere->volume.mountPoint, "/");
  EXPECT_EQ(elsewhere->belowRoot, "/media/u/MY STICKER/x");

  sys.probe().realPaths["/home/u/disc"] = "/media/u/PHOTOS_2001/Data";
  auto linked = t.locate("/home/u/disc");
  ASSERT_TRUE(linked);
  EXPECT_EQ(linked->volume.mountPoint, "/media/u/PHOTOS_2001");
  EXPECT_EQ(linked->belowRoot, "/Data");

  sys.probe().missing.insert("/media/u/gone");
  EXPECT_FALSE(t.locate("/media/u/gone"));
}

TEST(VolumeTableTest, InsertedMediaByDriveKindAndPlace) {
  EXPECT_TRUE(isInsertedMedium("/srv/usb", DriveKind::Removable));
  EXPECT_TRUE(isInsertedMedium("/cdrom", DriveKind::CdRom));
  EXPECT_TRUE(isInsertedMedium("/run/media/u/DISK", DriveKind::Fixed));
  EXPECT_TRUE(isInsertedMedium("/mnt", DriveKind::Fixed));
  EXPECT_TRUE(isInsertedMedium("/mnt/iso", DriveKind::Network));
  EXPECT_FALSE(isInsertedMedium("/media", DriveKind::Fixed));
  EXPECT_FALSE(isInsertedMedium("/mediaX/a", DriveKind::Fixed));
  EXPECT_FALSE(isInsertedMedium("/var/lib/docker/overlay", DriveKind::Fixed));
  EXPECT_FALSE(isInsertedMedium("/media/u/ram", DriveKind::RamDisk));
  EXPECT_FALSE(isInsertedMedium("/tmp/.mount_app", DriveKind::Fixed));  // a program's loop mount
}

TEST(VolumeTableTest, UnreadableMountListIsAnError) {
  FakeSystem sys;
  VolumeTable t(sys.probe(), sys.root());
  EXPECT_THROW(t.list(), VolumeError);
  EXPECT_THROW(t.snapshot(), VolumeError);
  EXPECT_THROW(t.locate("/"), VolumeError);
}

TEST(VolumeTableTest, WithoutUdevTheSuperblockIsProbed) {
  FakeSystem sys;
  sys.writeMountInfo(
      "1 0 8:1 / /media/x rw - vfat /dev/sdb1 rw\n"
      "2 0 8:2 / /media/y rw - ext4 /dev/sdb2 rw\n");
  sys.probe().blockIds["sdb1"] = {true, "STICK", "0A0B-0C0D", "vfat"};
  sys.probe().fsids["/media/y"] = 42;  // sdb2 cannot be read
  VolumeTable t(sys.probe(), sys.root());
  const auto all = t.list();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].label, "STICK");
  EXPECT_EQ(all[0].serial, 0x0A0B0C0Du);
  EXPECT_EQ(all[1].label, "");
  EXPECT_EQ(all[1].serial, serialFromFsid(42, "/dev/sdb2"));
  EXPECT_EQ(driveKindName(all[0].kind), "fixed");  // no sysfs tells otherwise
}

TEST(VolumeTableTest, FuseblkTypeComesFromTheSuperblockElseFromUdev) {
  FakeSystem sys;
  sys.writeMountInfo(
      "1 0 8:33 / /media/a rw - fuseblk /dev/sdc1 rw\n"
      "2 0 8:49 / /media/b rw - fuseblk /dev/sdd1 rw\n"
      "3 0 8:65 / /media/c rw - fuseblk /dev/sde1 rw\n");
  sys.probe().blockIds["sdc1"] = {true, "", "ABCD-0001", "exfat"};
  sys.file("/run/udev/data/b8:49", "S:disk/by-uuid/1C2E3F4A5B6C7D8E\nE:ID_FS_TYPE=ntfs\n");
  const auto all = VolumeTable(sys.probe(), sys.root()).list();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].fileSystem, "exfat");
  EXPECT_EQ(all[1].fileSystem, "ntfs");
  EXPECT_EQ(all[2].fileSystem, "fuseblk");  // nobody can tell
}

TEST(VolumeTableTest, SameMediumGivesTheSameSerialWhereverItIsMounted) {
  std::optional<std::uint32_t> serials[2];
  const char* lines[2] = {"1 0 8:17 / /media/u/STICK rw - vfat /dev/sdb1 rw\n",
                          "7 0 8:33 / /mnt/elsewhere rw - vfat /dev/sdc1 rw\n"};
  const char* devices[2] = {"sdb1", "sdc1"};
  for (int i = 0; i < 2; ++i) {
    FakeSystem sys;
    sys.writeMountInfo(lines[i]);
    sys.link(std::string("/dev/disk/by-uuid/4A2B-1C3D"), std::string("../../") + devices[i]);
    sys.probe().fsids = {{"/media/u/STICK", 1000 + i}, {"/mnt/elsewhere", 2000 + i}};
    const auto all = VolumeTable(sys.probe(), sys.root()).list();
    ASSERT_EQ(all.size(), 1u);
    serials[i] = all[0].serial;
  }
  EXPECT_EQ(serials[0], 0x4A2B1C3Du);
  EXPECT_EQ(serials[0], serials[1]);
}

TEST(VolumeTableTest, BindMountsAndSecondMountsOfAVolumeAreNoNewMedia) {
  FakeSystem sys;
  sys.writeMountInfo(
      "22 1 8:2 / / rw - ext4 /dev/sda2 rw\n"
      "30 22 8:17 / /media/u/STICK rw - vfat /dev/sdb1 rw\n"
      // A folder of the system disk and one of the stick, bound elsewhere.
      "31 22 8:2 /tmp/tree /mnt/tree rw - ext4 /dev/sda2 rw\n"
      "32 22 8:17 /Photos /mnt/photos rw - vfat /dev/sdb1 rw\n"
      // The whole system disk and the whole stick mounted a second time.
      "33 22 8:2 / /mnt/root rw - ext4 /dev/sda2 rw\n"
      "34 22 8:17 / /mnt/stick rw - vfat /dev/sdb1 rw\n"
      // A second stick; its first mount is what the list gives first, not the lowest id.
      "20 22 8:33 / /mnt/a-second rw - ext4 /dev/sdc1 rw\n"
      "36 22 8:33 / /mnt/0-first-by-name rw - ext4 /dev/sdc1 rw\n");
  sys.probe().fsids = {{"/media/u/STICK", 1}, {"/mnt/a-second", 2}};
  VolumeTable t(sys.probe(), sys.root());
  std::vector<std::string> points;
  for (const auto& [mp, serial] : t.snapshot()) points.push_back(mp);
  EXPECT_EQ(points, (std::vector<std::string>{"/media/u/STICK", "/mnt/a-second"}));
  // They stay volumes one can catalogue by hand.
  EXPECT_EQ(t.list().size(), 8u);
}

TEST(VolumeTableTest, NoVolumesWhenOnlyPseudoFileSystemsAreMounted) {
  FakeSystem sys;
  sys.writeMountInfo(
      "22 27 0:21 / /proc rw - proc proc rw\n"
      "23 27 0:22 / /sys rw - sysfs sysfs rw\n");
  VolumeTable t(sys.probe(), sys.root());
  EXPECT_TRUE(t.list().empty());
  EXPECT_TRUE(t.snapshot().empty());
  EXPECT_FALSE(t.locate("/home"));
}

}  // namespace
}  // namespace kolvex
