#pragma once
#include "platform/SystemProbe.h"

namespace kolvex {

// The real system: statvfs, statfs, realpath, stat and libblkid. libblkid opens the device
// read-only, so no root rights are needed where the user may read the device (an optical
// drive of the user's seat, members of the disk group); elsewhere the probe finds nothing.
// libblkid's cache file is deliberately not used: it can name the previous medium of a
// device, and a stale UUID would give a wrong serial.
class LinuxSystemProbe final : public SystemProbe {
 public:
  std::int64_t capacity(const std::string& mountPoint) override;
  std::optional<std::uint64_t> fileSystemId(const std::string& mountPoint) override;
  BlockIds probeDevice(const std::string& devicePath) override;
  std::string realPath(const std::string& path) override;
  bool isDirectory(const std::string& path) override;
};

}  // namespace kolvex
