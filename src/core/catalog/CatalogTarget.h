#pragma once
// Where a new catalog goes: its folder, made when missing, and its name, which must not be
// taken by a folder or anything else that is not a file. Each returns why the catalog
// cannot go there, or nothing when it can; a scan checks both before it starts.
#include <string>

namespace kolvex {

// The catalog folder (with or without a trailing '/'): made, with every missing folder
// above it, when it does not exist.
std::string PrepareCatalogFolder(const std::string& folder);

// The catalog's full name: free, or a file that may be replaced.
std::string CatalogNameProblem(const std::string& path);

}  // namespace kolvex
