#pragma once
// A made-up machine for the volume layer: a system root folder holding proc, dev and sys
// the way the kernel and udev lay them out, and a probe answering statvfs, statfs and
// libblkid from tables.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/SystemProbe.h"
#include "support/TempDir.h"

namespace kolvex::test {

class FakeProbe final : public SystemProbe {
 public:
  std::int64_t capacity(const std::string& mountPoint) override;
  std::optional<std::uint64_t> fileSystemId(const std::string& mountPoint) override;
  BlockIds probeDevice(const std::string& devicePath) override;
  std::string realPath(const std::string& path) override;
  bool isDirectory(const std::string& path) override;

  std::map<std::string, std::int64_t> capacities;  // by mount point; -1 when missing
  std::map<std::string, std::uint64_t> fsids;      // by mount point; statfs fails when missing
  std::map<std::string, BlockIds> blockIds;        // by device name ("sdb1")
  std::map<std::string, std::string> realPaths;    // else the path itself, trailing "/" cut
  std::set<std::string> missing;                   // paths that do not exist
  std::set<std::string> plainFiles;                // paths that are not directories
  std::vector<std::string> probedDevices;          // every device path probeDevice saw
};

class FakeSystem {
 public:
  FakeSystem();
  // The root folder, without trailing "/".
  const std::string& root() const { return root_; }
  FakeProbe& probe() { return probe_; }

  void writeMountInfo(const std::string& text);
  void link(const std::string& path, const std::string& target);
  void file(const std::string& path, const std::string& content);

  // A desktop with a USB stick, a CD, an NTFS disk, LVM and LUKS volumes, an SD card,
  // network shares and RAM disks, from tests/data/platform/mountinfo-desktop.txt.
  void buildDesktop();

 private:
  TempDir dir_;
  std::string root_;
  FakeProbe probe_;
};

// The text of a file below tests/data/platform.
std::string platformData(const std::string& name);

}  // namespace kolvex::test
