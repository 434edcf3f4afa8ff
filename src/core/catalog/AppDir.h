#pragma once
#include <string>

namespace kolvex {

// The folder of the program's executable with a trailing '/': the application folder
// that holds Options.cfg, IPack.ipk, Languages/ and Archives/.
std::string AppDir();

// Tests and tools may point the program at another application folder.
void setAppDirForTesting(const std::string& dir);

// AppDir() + "Archives/", AppDir() + "Languages/".
std::string ArchivesDir();
std::string LanguagesDir();

}  // namespace kolvex
