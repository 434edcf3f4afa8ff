#pragma once
// Where a catalogued entry was when it was scanned, as a path of the system it was scanned
// on: the catalog's base folder followed by the stored path below "X:\". This is the path a
// person can paste into a shell or a file manager; the stored "X:\" form means nothing
// outside a catalog.
#include <string>

namespace kolvex {

// The base folder, the stored folder below "X:\" in the base folder's own separators (a
// POSIX base turns the stored "\" into "/"), then name unchanged: a Linux name may hold a
// "\", and only the stored folder's separators are known to be separators.
std::string ScannedPath(const std::string& baseDir, const std::string& storedFolder,
                        const std::string& name = {});

}  // namespace kolvex
