#include "platform/DeviceTree.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#include "platform/Escapes.h"

namespace kolvex {
namespace fs = std::filesystem;
namespace {

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

bool allLetters(const std::string& s) {
  for (char c : s)
    if (!std::isalpha(static_cast<unsigned char>(c))) return false;
  return !s.empty();
}

// Follows the links of a path that lies below the system root. The links udev makes are
// relative ("../../sdb1"), so they resolve inside a fixture root as well.
std::string followLinks(const std::string& root, std::string path) {
  std::error_code ec;
  for (int hop = 0; hop < 16; ++hop) {
    const fs::path onDisk = root + path;
    if (!fs::is_symlink(onDisk, ec)) break;
    const fs::path target = fs::read_symlink(onDisk, ec);
    if (ec) break;
    path = target.is_absolute()
               ? target.lexically_normal().string()
               : (fs::path(path).parent_path() / target).lexically_normal().string();
  }
  return path;
}

}  // namespace

std::string diskNameOfPartition(const std::string& name) {
  std::size_t end = name.size();
  while (end > 0 && isDigit(name[end - 1])) --end;
  if (end == name.size() || end == 0) return name;
  // nvme0n1p1, mmcblk0p1, loop0p1, md0p1: a "p" between two numbers.
  if (end >= 2 && name[end - 1] == 'p' && isDigit(name[end - 2])) return name.substr(0, end - 1);
  // sdb1, hda2, vda1, xvda1: a letter-only disk name and a partition number.
  const std::string disk = name.substr(0, end);
  if (allLetters(disk) && (disk.starts_with("sd") || disk.starts_with("hd") ||
                           disk.starts_with("vd") || disk.starts_with("xvd")))
    return disk;
  return name;
}

DeviceTree::DeviceTree(std::string systemRoot)
    : root_(std::move(systemRoot)),
      labels_(readLinks("/dev/disk/by-label")),
      uuids_(readLinks("/dev/disk/by-uuid")) {}

std::map<std::string, std::string> DeviceTree::readLinks(const std::string& folder) const {
  std::map<std::string, std::string> byDevice;
  std::error_code ec;
  for (fs::directory_iterator it(root_ + folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code entryError;  // one odd entry must not end the listing
    if (!it->is_symlink(entryError)) continue;
    const std::string linkName = it->path().filename().string();
    const std::string device = fs::path(followLinks(root_, folder + "/" + linkName)).filename();
    if (!device.empty()) byDevice.emplace(device, decodeHexEscapes(linkName));
  }
  return byDevice;
}

std::optional<std::string> DeviceTree::readSys(const std::string& path) const {
  std::ifstream in(root_ + path);
  std::string text;
  if (!in || !std::getline(in, text)) return std::nullopt;
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
  return text;
}

std::string DeviceTree::deviceName(const MountEntry& entry) const {
  std::error_code ec;
  if (entry.major != 0) {
    const std::string link =
        "/sys/dev/block/" + std::to_string(entry.major) + ":" + std::to_string(entry.minor);
    const fs::path target = fs::read_symlink(root_ + link, ec);
    if (!ec && !target.filename().empty()) return target.filename().string();
  }
  if (!entry.source.starts_with("/dev/")) return {};
  const std::string resolved = followLinks(root_, entry.source);
  if (!resolved.starts_with("/dev/")) return {};
  return fs::path(resolved).filename().string();
}

std::optional<std::string> DeviceTree::udevLabel(const std::string& name) const {
  auto it = labels_.find(name);
  return it == labels_.end() ? std::nullopt : std::optional<std::string>(it->second);
}

std::optional<std::string> DeviceTree::udevUuid(const std::string& name) const {
  auto it = uuids_.find(name);
  return it == uuids_.end() ? std::nullopt : std::optional<std::string>(it->second);
}

std::string DeviceTree::udevFsType(unsigned major, unsigned minor) const {
  if (major == 0) return {};
  std::ifstream in(root_ + "/run/udev/data/b" + std::to_string(major) + ":" +
                   std::to_string(minor));
  constexpr std::string_view kKey = "E:ID_FS_TYPE=";
  for (std::string line; std::getline(in, line);)
    if (line.starts_with(kKey)) return line.substr(kKey.size());
  return {};
}

std::string DeviceTree::diskOf(const std::string& name) const {
  std::error_code ec;
  if (name.empty() || fs::exists(root_ + "/sys/block/" + name, ec)) return name;
  return diskNameOfPartition(name);
}

bool DeviceTree::isOptical(const std::string& name) const {
  if (name.empty()) return false;
  const std::string disk = diskOf(name);
  auto numbered = [&](const std::string& prefix) {
    return disk.size() > prefix.size() && disk.starts_with(prefix) && isDigit(disk[prefix.size()]);
  };
  if (numbered("sr") || numbered("scd")) return true;
  return readSys("/sys/block/" + disk + "/device/type") == "5";
}

bool DeviceTree::isRemovable(const std::string& name) const {
  return !name.empty() && isRemovableDisk(diskOf(name), 0);
}

bool DeviceTree::isUsbAttached(const std::string& disk) const {
  std::error_code ec;
  const fs::path real = fs::canonical(root_ + "/sys/block/" + disk, ec);
  if (ec) return false;
  std::string inside = real.string();
  if (!root_.empty()) {
    const fs::path realRoot = fs::canonical(root_, ec);
    if (!ec && inside.starts_with(realRoot.string())) inside.erase(0, realRoot.string().size());
  }
  for (const auto& part : fs::path(inside)) {
    const std::string s = part.string();
    if (s.size() > 3 && s.starts_with("usb") && isDigit(s[3])) return true;
  }
  return false;
}

bool DeviceTree::isRemovableDisk(const std::string& disk, int depth) const {
  const std::string base = "/sys/block/" + disk;
  if (readSys(base + "/removable") == "1") return true;
  if (isUsbAttached(disk)) return true;
  if (readSys(base + "/device/type") == "SD") return true;  // eMMC says "MMC"
  if (depth >= 8) return false;
  std::error_code ec;
  for (fs::directory_iterator it(root_ + base + "/slaves", ec), end; !ec && it != end;
       it.increment(ec))
    if (isRemovableDisk(diskOf(it->path().filename().string()), depth + 1)) return true;
  return false;
}

}  // namespace kolvex
