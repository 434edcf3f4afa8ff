#pragma once
// What the result list and the information bar show of a hit, and the paths its row
// actions use.
#include <string>

#include "core/search/TTSearchResultItem.h"

namespace kolvex {

// The date column: the date-time text, or "--" for a directory or file without a date
// (the scanner stores none for directories). A catalog always shows its date.
std::string HitDateText(const TTSearchResultItem& hit);
// The size column: the size in decimal ("0" for a catalog).
std::string HitSizeText(const TTSearchResultItem& hit);
// Only a file hit has a size of its own: a folder's record keeps none, and a catalog
// hit carries no figure of its volume.
bool HitHasSize(const TTSearchResultItem& hit);
// A directory or file row without a date is shown as a folder.
bool IsFolderRow(const TTSearchResultItem& hit);

// The scanned folder's own record has no name of its own and is listed under its path.
bool IsUnnamedRecord(const TTSearchResultItem& hit);
// The stored path of a directory or file hit ("X:\docs\a.txt"); the scanned folder's
// own record is its path alone, not that path twice.
std::string HitStoredPath(const TTSearchResultItem& hit);
// The real place as the information bar shows it: the base folder followed by the stored
// path without its "X:\".
std::string HitShownPath(const TTSearchResultItem& hit);
// The folder column: where the hit lives as scanned (HitShownPath); a catalog's base folder.
std::string HitFolderText(const TTSearchResultItem& hit);
// Copy File Path and Copy File Pathname: where the hit was scanned, HitFolderText and
// that folder followed by the name; a catalog hit copies its base folder for both.
std::string HitPathnameText(const TTSearchResultItem& hit);
// The stored folder the explorer opens for the hit ("X:\docs\").
std::string HitStoredFolder(const TTSearchResultItem& hit);

}  // namespace kolvex
