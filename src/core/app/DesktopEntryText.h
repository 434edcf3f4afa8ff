#pragma once
// The text of the program's desktop entries: the menu entry (installed by the build, and
// written into a portable folder by the program itself) and the autostart entry.
#include <string>

#include "core/persist/FileOps.h"

namespace kolvex {

// The desktop file ID of the installed menu entry; AppStream names the program by it too.
inline constexpr const char* kDesktopId = "org.example.kolvex.Kolvex";

// One argument of an Exec line: in double quotes, with '"', '`', '$' and '\' escaped by a
// backslash, and '%' doubled because a lone '%' starts a field code.
std::string execArgument(const std::string& arg);
// A value of type string: backslashes and control characters are escaped.
std::string desktopEntryValue(const std::string& value);

// The menu entry that starts the program (a folder dropped on it is offered for
// cataloguing). program: an absolute path or a name found on PATH; icon: an absolute
// path or a name of the icon theme.
std::string menuEntry(const std::string& program, const std::string& icon);

// Writes the entry unless the file already holds exactly this text, replacing it
// atomically so that the desktop never reads half of one. False when it could not be
// written (the old file then stays as it was).
bool writeDesktopEntry(const std::string& path, const std::string& content,
                       FileOps& ops = posixFileOps());

}  // namespace kolvex
