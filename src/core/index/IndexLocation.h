#pragma once
// Where a catalog's index lives: in the hidden folder ".kolvex-index" beside the catalog,
// where the archive manager, which lists only "*.qel" files, never shows it; or, when
// that folder cannot be written, in the user's cache folder
// ($XDG_CACHE_HOME/kolvex/, a sub-folder per catalog folder).
#include <string>
#include <vector>

namespace kolvex::index {

// The places to look for the index of a catalog, the preferred one first.
std::vector<std::string> indexPathsOf(const std::string& catalogPath);

// The place to write it: the first whose folder exists or can be made. Empty when none.
std::string writableIndexPath(const std::string& catalogPath);

}  // namespace kolvex::index
