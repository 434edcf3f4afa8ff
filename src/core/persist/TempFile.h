#pragma once
// Temporary files that cannot outlive their writer. Where the file system allows it, a
// temporary file has no name (O_TMPFILE): it vanishes with its last descriptor, even when
// its writer is killed, and is given a name only on its way to replacing its target.
// Elsewhere it is a named "QE_*.tmp" file that its writer keeps locked (flock) for as
// long as it is open, so that a later scan can tell a leftover from a file still in use.
#include <string>

#include "core/persist/FileOps.h"

namespace kolvex {

inline constexpr const char* kTempPrefix = "QE_";
inline constexpr const char* kTempSuffix = ".tmp";

struct TempFile {
  int fd = -1;
  std::string path;  // empty while the file has no name
};

// A new temporary file in the folder dir (with a trailing '/'). Throws EFCreateError.
TempFile createTempFile(FileOps& ops, const std::string& dir);

// Gives a temporary file without a name a unique "QE_*.tmp" name in dir (the folder it
// was made in); a named one keeps its name. Throws EFCreateError.
void nameTempFile(FileOps& ops, TempFile& file, const std::string& dir);

// Removes the "QE_*.tmp" files of this user in dir whose writer is gone: nobody holds
// their lock and they have not changed for a while (a writer locks its file right after
// creating it). Returns how many went.
int removeStaleTempFiles(const std::string& dir);

}  // namespace kolvex
