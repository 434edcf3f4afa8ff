#include <gtest/gtest.h>

#include "platform/MountInfo.h"

namespace kolvex {
namespace {

TEST(MountInfoTest, ReadsEveryFieldAndDecodesEscapes) {
  auto e = parseMountInfo(
      "44 22 8:17 /sub\\040dir /media/u/MY\\040STICK rw,nosuid shared:50 master:3 - vfat "
      "/dev/sdb1 rw,uid=1000\n");
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].id, 44);
  EXPECT_EQ(e[0].parentId, 22);
  EXPECT_EQ(e[0].major, 8u);
  EXPECT_EQ(e[0].minor, 17u);
  EXPECT_EQ(e[0].root, "/sub dir");
  EXPECT_EQ(e[0].mountPoint, "/media/u/MY STICK");
  EXPECT_EQ(e[0].fsType, "vfat");
  EXPECT_EQ(e[0].source, "/dev/sdb1");
}

TEST(MountInfoTest, OptionalFieldsMayBeAbsentAndSourceEmpty) {
  auto e = parseMountInfo(
      "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
      "60 27 0:50 / /mnt/x rw - tmpfs  rw\n");
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].mountPoint, "/");
  EXPECT_EQ(e[0].fsType, "ext4");
  EXPECT_EQ(e[1].mountPoint, "/mnt/x");
  EXPECT_EQ(e[1].fsType, "tmpfs");
  EXPECT_EQ(e[1].source, "");
}

TEST(MountInfoTest, MalformedLinesAreSkippedWithoutHidingOthers) {
  auto e = parseMountInfo(
      "garbage\n"
      "\n"
      "x 1 8:1 / /a rw - ext4 /dev/sda1 rw\n"         // id not a number
      "5 1 81 / /b rw - ext4 /dev/sda1 rw\n"          // no major:minor
      "6 1 8:1 / relative rw - ext4 /dev/sda1 rw\n"   // not absolute
      "7 1 8:1 / /c rw shared:1 ext4 /dev/sda1 rw\n"  // no separator
      "8 1 8:1 / /d rw -\n"                           // separator without type and source
      "9 1 8:1 / /ok/ rw - ext4 /dev/sda1 rw");       // last line without newline
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].mountPoint, "/ok");
}

}  // namespace
}  // namespace kolvex
