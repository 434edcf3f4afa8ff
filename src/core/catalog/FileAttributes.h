#pragma once
// The attribute word a catalog keeps for an entry, from what lstat says about it.
#include <sys/types.h>

#include <cstdint>
#include <string_view>

namespace kolvex {

// Directory 16, regular file 32 (archive), symbolic link 1024 (reparse point), any other
// kind 4 (system); a name beginning with "." adds 2 (hidden), a mode without the owner's
// write permission adds 1 (read-only).
std::int32_t AttributesOf(mode_t mode, std::string_view name);

}  // namespace kolvex
