#pragma once
// Changing the editable header fields of a catalog without scanning again: label, base
// folder, removable flag and description. The records stay as they are.
#include <optional>
#include <string>
#include <vector>

#include "core/app/Dialogs.h"
#include "core/app/LanguageFile.h"
#include "core/persist/FileOps.h"
#include "core/persist/TSCCDInfo.h"

namespace kolvex {

struct HeaderEdits {
  std::optional<std::string> label;
  std::optional<std::string> baseDir;
  std::optional<bool> removable;
  std::optional<std::vector<std::string>> description;
};

// A base folder as typed, with the separator it lacks at its end: "/" for a folder of
// this system, "\" for one of a catalog made on Windows ("E:\Backup" gives "E:\Backup\").
std::string WithTrailingSeparator(const std::string& baseDir);

// Applies the edits to a copy of the header: the label with its invalid characters
// replaced, the base folder with its trailing separator.
void ApplyHeaderEdits(const HeaderEdits& edits, TSCCDInfo& header);

// Reads the catalog's header, applies the edits and rewrites the catalog with the new
// header in front of its unchanged records (replaced atomically). An empty label is
// refused with error A018 and nothing is written; a reading or writing error is shown as
// it is and leaves the catalog as it was. False in both cases; reason says why.
bool ModifyArchive(const std::string& catalogPath, const HeaderEdits& edits, Dialogs& dialogs,
                   LanguageFile& texts, std::string& reason, FileOps& ops = posixFileOps());

}  // namespace kolvex
