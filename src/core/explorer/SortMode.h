#pragma once
// The order of the explorer's file list. The low bit of a sort mode is the direction.
#include <cstdint>
#include <vector>

#include "core/explorer/FolderEntry.h"

namespace kolvex {

using SortModeValue = std::uint8_t;

inline constexpr SortModeValue kSortNameAsc = 0;
inline constexpr SortModeValue kSortNameDesc = 1;
inline constexpr SortModeValue kSortSizeAsc = 4;
inline constexpr SortModeValue kSortSizeDesc = 5;
inline constexpr SortModeValue kSortDateAsc = 8;
inline constexpr SortModeValue kSortDateDesc = 9;
inline constexpr SortModeValue kSortKindAsc = 10;
inline constexpr SortModeValue kSortKindDesc = 11;

// List columns: 0 name, 1 kind (description), 2 date, 3 size.
inline constexpr int kColumnCount = 4;

// The sort mode after a click on a column: ascending by its key, or the reverse when the
// list is already sorted ascending by it. Other columns leave the mode as it is.
SortModeValue SortModeAfterColumnClick(int column, SortModeValue mode);

// The column a sort menu item stands for (tags 90302 name, 90303 kind, 90304 date,
// 90305 size); -1 for any other tag.
int ColumnOfSortMenuTag(int tag);

// Whether a goes before b. Folders come before files in both directions; then the key of
// the mode decides (names ignoring the case of a to z, the extension, the time stamp, the
// size), reversed when descending. Equal keys fall back to the name, then the name's
// bytes, then the record position, always ascending, so the order is total and the same
// catalog always lists the same way.
bool EntryBefore(const FolderEntry& a, const FolderEntry& b, SortModeValue mode);

void SortEntries(std::vector<FolderEntry>& entries, SortModeValue mode);

}  // namespace kolvex
