#pragma once
// Which mounts are volumes a user can catalogue. Real storage only: kernel interfaces and
// the system's own runtime state are never volumes, whatever their kind of file system.
#include <string_view>
#include <vector>

#include "platform/DriveKind.h"
#include "platform/MountInfo.h"

namespace kolvex {

// Pseudo file systems: proc, sysfs, cgroup, devpts, mqueue, debugfs, tracefs, bpf, fusectl,
// binfmt_misc, autofs, securityfs, pstore, configfs, nsfs and their kin (devtmpfs, hugetlbfs,
// efivarfs, the security modules' file systems, rpc_pipefs, nfsd, and the FUSE bridges of
// the desktop and of containers that only mirror other mounts or kernel files).
bool isPseudoFileSystem(std::string_view fsType);

// False for pseudo file systems; for anything mounted at or below /proc, /sys or /dev; for
// RAM disks at or below /run (sockets, locks, the per-user runtime folders); and for the
// squashfs images of snap packages below /snap. Overlay file systems stay volumes: in a
// container the root folder is one, and it holds the user's files.
bool isVolumeMount(const MountEntry& entry);

// Whether a volume is a medium a person inserts or mounts, the only kind the drive monitor
// catalogues by itself: removable and optical drives, and whatever is mounted below
// /media or /run/media (where the desktop mounts media) or at or below /mnt (where people
// mount by hand). Never a RAM disk: those come and go with other programs.
bool isInsertedMedium(std::string_view mountPoint, DriveKind kind);

// Whether a mount shows again what is mounted already: a folder of a file system mounted
// somewhere else (a bind mount), or a volume that an earlier line of the mount list
// (`inMountOrder`, as the kernel lists it) shows already. Neither is a newly inserted
// medium.
bool isRepeatMount(const MountEntry& entry, const std::vector<MountEntry>& inMountOrder);

}  // namespace kolvex
