#pragma once
// What kind of drive a volume sits on, in the terms the catalogs keep: only a fixed drive
// counts as not removable.
#include <string>
#include <string_view>

namespace kolvex {

enum class DriveKind { Fixed, Removable, CdRom, Network, RamDisk };

// "fixed", "removable", "cdrom", "network", "ramdisk".
std::string driveKindName(DriveKind kind);

inline bool isRemovableKind(DriveKind kind) { return kind != DriveKind::Fixed; }

bool isNetworkFileSystem(std::string_view fsType);
bool isRamFileSystem(std::string_view fsType);
bool isOpticalFileSystem(std::string_view fsType);

// The kind of a volume from its file-system type and what the block device beneath it is:
// network, RAM disk, CD-ROM (by type or an optical drive), removable, else fixed.
DriveKind driveKindFor(std::string_view fsType, bool opticalDevice, bool removableDevice);

}  // namespace kolvex
