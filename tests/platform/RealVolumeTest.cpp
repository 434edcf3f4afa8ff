// The volume layer on the running system, against the system's own tools.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/LinuxSystemProbe.h"
#include "platform/VolumeFilter.h"
#include "platform/VolumeTable.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {
namespace fs = std::filesystem;

struct Output {
  int status = -1;
  std::string text;  // standard output, last line break removed
};

Output run(const std::string& command) {
  Output out;
  FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return out;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.text.append(buf, n);
  out.status = ::pclose(pipe);
  while (!out.text.empty() && out.text.back() == '\n') out.text.pop_back();
  return out;
}

std::string quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Unmounts and detaches whatever the test set up, whichever way the test ends.
struct LoopCleanup {
  std::string device;
  std::string mountPoint;
  bool mounted = false;
  ~LoopCleanup() {
    if (mounted && run("umount " + quote(mountPoint)).status != 0)
      run("umount -l " + quote(mountPoint));
    if (!device.empty()) run("losetup -d " + quote(device));
  }
};

TEST(RealVolumeTest, TemporaryFolderLiesOnAListedVolume) {
  test::TempDir dir;
  LinuxSystemProbe probe;
  VolumeTable table(probe);
  auto where = table.locate(dir.path());
  ASSERT_TRUE(where) << "no volume holds " << dir.path();
  const std::string& mp = where->volume.mountPoint;
  EXPECT_EQ((mp == "/" ? "" : mp) + where->belowRoot, where->realPath);
  EXPECT_GT(where->volume.capacity, 0);
  EXPECT_TRUE(where->volume.serial);
  bool listed = false;
  for (const auto& v : table.list()) listed = listed || v.mountPoint == mp;
  EXPECT_TRUE(listed);
  // The drive monitor sees it only when it is a medium a person inserts.
  const auto snapshot = table.snapshot();
  if (isInsertedMedium(mp, where->volume.kind))
    EXPECT_EQ(snapshot.at(mp), where->volume.serialText());
  else
    EXPECT_EQ(snapshot.count(mp), 0u);
}

TEST(RealVolumeTest, LoopMountedExt4ImageMatchesBlkidAndDf) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to attach and mount a loop device";
  if (run("command -v mkfs.ext4 && command -v losetup && command -v blkid").status != 0)
    GTEST_SKIP() << "mkfs.ext4, losetup or blkid is missing";
  test::TempDir dir;
  const std::string image = dir.file("volume.img");
  const std::string mountPoint = dir.file("mount point");  // the kernel lists it as mount\040point
  fs::create_directory(mountPoint);
  std::ofstream(image).close();
  fs::resize_file(image, 16 << 20);
  ASSERT_EQ(run("mkfs.ext4 -q -F -L 'Kolvex Test' " + quote(image)).status, 0);

  LoopCleanup cleanup;
  cleanup.mountPoint = mountPoint;
  const Output loop = run("losetup -f --show " + quote(image));
  if (loop.status != 0 || loop.text.empty()) GTEST_SKIP() << "no loop device can be attached here";
  cleanup.device = loop.text;
  if (run("mount -t ext4 " + quote(loop.text) + " " + quote(mountPoint)).status != 0)
    GTEST_SKIP() << "mounting is not possible in this sandbox";
  cleanup.mounted = true;
  fs::create_directories(mountPoint + "/Data/Sub");

  const std::string label = run("blkid -o value -s LABEL " + quote(loop.text)).text;
  const std::string uuid = run("blkid -o value -s UUID " + quote(loop.text)).text;
  const std::string type = run("blkid -o value -s TYPE " + quote(loop.text)).text;
  const std::string df =
      run("df -B1 --output=size " + quote(mountPoint) + " | tail -n 1 | tr -d ' '").text;
  ASSERT_EQ(label, "Kolvex Test");
  ASSERT_GE(uuid.size(), 8u);

  LinuxSystemProbe probe;
  VolumeTable table(probe);
  auto where = table.locate(mountPoint + "/Data/Sub/");
  ASSERT_TRUE(where);
  const Volume& v = where->volume;
  EXPECT_EQ(v.mountPoint, fs::canonical(mountPoint).string());
  EXPECT_EQ(where->belowRoot, "/Data/Sub");
  EXPECT_EQ(v.label, label);
  EXPECT_EQ(v.uuid, uuid);
  EXPECT_EQ(v.serial, static_cast<std::uint32_t>(std::stoul(uuid.substr(0, 8), nullptr, 16)));
  EXPECT_EQ(v.fileSystem, type);
  EXPECT_EQ(std::to_string(v.capacity), df);
  EXPECT_EQ(driveKindName(v.kind), "fixed");
  // A loop mount that a program makes in a temporary folder is no medium to catalogue.
  EXPECT_EQ(table.snapshot().count(v.mountPoint), 0u);
}

}  // namespace
}  // namespace kolvex
