#pragma once
// The mount points inside a folder, so the counting pass can tell a folder that another
// file system is mounted on without an lstat of every folder: the listing's d_type
// already says which entries are folders, and only these few need a closer look.
#include <optional>
#include <string>
#include <unordered_set>

namespace kolvex {

// Paths relative to folder ("a/b", no leading or trailing '/') of every mount point
// strictly inside it, from mountMap (the text of /proc/self/mountinfo). Nothing when
// folder's real path cannot be found.
std::optional<std::unordered_set<std::string>> MountPointsBelow(const std::string& folder,
                                                                const std::string& mountMap);

// The same from this process's /proc/self/mountinfo; nothing when it cannot be read.
std::optional<std::unordered_set<std::string>> MountPointsBelow(const std::string& folder);

}  // namespace kolvex
