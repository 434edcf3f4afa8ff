#pragma once
// Loading and saving the options record. "Options.cfg" holds the user's settings and
// "Default.cfg" the factory settings; both are one TSCOptions stream.
#include <string>

#include "core/persist/FileOps.h"
#include "core/persist/TSCOptions.h"

namespace kolvex {

inline constexpr const char* kOptionsFileName = "Options.cfg";
inline constexpr const char* kDefaultOptionsFileName = "Default.cfg";

// Reads one stream from the file into options. Properties the file lacks keep their
// values; a string list in the file replaces the list's lines. Throws "Cannot open file
// %s" or the stream errors; options are then exactly as before the call. A drive monitor
// interval below the monitor's shortest is read as that shortest.
void loadOptions(TSCOptions& options, const std::string& path, FileOps& ops = posixFileOps());

// Replaces the file with one stream of options, atomically: on any failure (thrown as
// EStreamError or EFCreateError) the previous file is left byte for byte as it was.
void saveOptions(const TSCOptions& options, const std::string& path, FileOps& ops = posixFileOps());

// Every published property of from copied into to (string lists by their lines).
void copyOptions(const TSCOptions& from, TSCOptions& to);

}  // namespace kolvex
