#include "platform/LinuxSystemProbe.h"

#include <blkid/blkid.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

namespace kolvex {
namespace {

struct ProbeDeleter {
  void operator()(blkid_struct_probe* p) const { blkid_free_probe(p); }
};

std::string lookup(blkid_probe probe, const char* name) {
  const char* data = nullptr;
  std::size_t len = 0;
  if (blkid_probe_lookup_value(probe, name, &data, &len) != 0 || data == nullptr) return {};
  std::string value(data, len);
  while (!value.empty() && value.back() == '\0') value.pop_back();  // len counts the NUL
  return value;
}

}  // namespace

std::int64_t LinuxSystemProbe::capacity(const std::string& mountPoint) {
  struct statvfs st;
  if (::statvfs(mountPoint.c_str(), &st) != 0) return -1;
  const unsigned long long unit = st.f_frsize ? st.f_frsize : st.f_bsize;
  const unsigned long long blocks = st.f_blocks;
  constexpr auto kMax = static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max());
  if (unit != 0 && blocks > kMax / unit) return std::numeric_limits<std::int64_t>::max();
  return static_cast<std::int64_t>(blocks * unit);
}

std::optional<std::uint64_t> LinuxSystemProbe::fileSystemId(const std::string& mountPoint) {
  struct statfs st;
  if (::statfs(mountPoint.c_str(), &st) != 0) return std::nullopt;
  int halves[2];
  static_assert(sizeof(st.f_fsid) == sizeof(halves));
  std::memcpy(halves, &st.f_fsid, sizeof(halves));
  return (std::uint64_t{static_cast<std::uint32_t>(halves[1])} << 32) |
         static_cast<std::uint32_t>(halves[0]);
}

BlockIds LinuxSystemProbe::probeDevice(const std::string& devicePath) {
  std::unique_ptr<blkid_struct_probe, ProbeDeleter> probe(
      blkid_new_probe_from_filename(devicePath.c_str()));
  if (!probe) return {};
  blkid_probe_enable_superblocks(probe.get(), 1);
  blkid_probe_set_superblocks_flags(probe.get(),
                                    BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID | BLKID_SUBLKS_TYPE);
  if (blkid_do_safeprobe(probe.get()) != 0) return {};
  BlockIds ids;
  ids.found = true;
  ids.label = lookup(probe.get(), "LABEL");
  ids.uuid = lookup(probe.get(), "UUID");
  ids.type = lookup(probe.get(), "TYPE");
  return ids;
}

std::string LinuxSystemProbe::realPath(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                       &std::free);
  return resolved ? std::string(resolved.get()) : std::string();
}

bool LinuxSystemProbe::isDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace kolvex
