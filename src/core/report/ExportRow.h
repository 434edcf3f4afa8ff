#pragma once
// One exported entry: a file or folder of a catalog, or a search hit (which may also be
// a whole catalog). Texts are views into the walk's or the hit's own strings.
#include <cstdint>
#include <string_view>

namespace kolvex {

enum class RowKind { Catalog, Folder, File };

// "catalog", "dir" or "file", as the command line names kinds.
std::string_view RowKindName(RowKind kind);

struct ExportRow {
  RowKind kind = RowKind::File;
  std::string_view name;
  std::string_view folder;      // real path of the folder holding it ("/docs"); a catalog's BaseDir
  std::string_view storedPath;  // the record's FilePath ("X:\docs\"); a catalog's BaseDir
  std::int64_t size = 0;
  double time = 0.0;  // day count of local time; 0 for folders
  std::int32_t attributes = 0;
  std::string_view label;  // the catalog's label
};

}  // namespace kolvex
