#pragma once
// Which catalogs a search runs over, chosen by name: both front ends search a set of
// catalogs of the catalog folder, ticked by the user or named on the command line.
#include <string>
#include <vector>

#include "core/search/CheckedArchive.h"

namespace kolvex {

// Every readable catalog of the folder, in the order the folder lists them. One damaged
// catalog does not hide the others: each that cannot be read is added to unreadable as
// "path: reason", for the caller to name.
std::vector<CheckedArchive> CatalogsOfFolder(const std::string& dir,
                                             std::vector<std::string>& unreadable);

// The catalogs named, in the order given, each once: a catalog file's path (or its file
// name in the folder), else every readable catalog of the folder with that label (the
// folder's unreadable ones go to unreadable). A name that matches nothing throws
// std::invalid_argument; a catalog named by its path that cannot be read EStreamError.
std::vector<CheckedArchive> CatalogsNamed(const std::string& dir,
                                          const std::vector<std::string>& names,
                                          std::vector<std::string>& unreadable);

}  // namespace kolvex
