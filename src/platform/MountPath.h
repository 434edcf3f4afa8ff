#pragma once
// Where a path lies relative to mount points. Paths are absolute and already resolved
// (realpath), so a plain comparison of components is enough.
#include <string>
#include <string_view>
#include <vector>

namespace kolvex {

// True when `path` is `folder` or lies below it: "/media/u" holds "/media/u/A" but not
// "/media/uu". Trailing "/" on either side are ignored.
bool isAtOrBelow(std::string_view path, std::string_view folder);

// The part of `path` below the mount point: "/" + the path below it without trailing "/",
// empty for the mount point itself ("/media/u/MYDISC/Data/Sub/" below "/media/u/MYDISC"
// is "/Data/Sub"). Empty as well when the path does not lie below the mount point.
std::string pathBelowMountPoint(std::string_view mountPoint, std::string_view path);

// The index of the longest mount point holding `path`, or -1 when none does.
int longestMountPoint(const std::vector<std::string>& mountPoints, std::string_view path);

}  // namespace kolvex
