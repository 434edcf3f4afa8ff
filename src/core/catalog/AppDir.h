#pragma once
// The paths of this process: decided once at the first question, from the program's own
// executable (/proc/self/exe) and the user's environment. See AppPaths for the rules.
#include <string>

#include "core/app/AppPaths.h"

namespace kolvex {

const AppPaths& Paths();

// Tests and tools may point the program at a portable application folder of their own;
// an empty folder goes back to the decided paths.
void setAppDirForTesting(const std::string& dir);

// Paths().archivesDir(), Paths().languagesDir().
std::string ArchivesDir();
std::string LanguagesDir();

}  // namespace kolvex
