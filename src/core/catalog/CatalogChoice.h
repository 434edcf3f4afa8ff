#pragma once
// Which catalogs a search runs over, chosen by name: both front ends search a set of
// catalogs of the catalog folder, ticked by the user or named on the command line.
#include <string>
#include <vector>

#include "core/search/CheckedArchive.h"

namespace kolvex {

// Every catalog of the folder, in the order the folder lists them. A catalog whose header
// cannot be read throws (EStreamError naming it): the search does not start.
std::vector<CheckedArchive> CatalogsOfFolder(const std::string& dir);

// The catalogs named, in the order given, each once: a catalog file's path (or its file
// name in the folder), else every catalog of the folder with that label. A name that
// matches nothing throws std::invalid_argument; an unreadable catalog EStreamError.
std::vector<CheckedArchive> CatalogsNamed(const std::string& dir,
                                          const std::vector<std::string>& names);

}  // namespace kolvex
