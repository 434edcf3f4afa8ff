#pragma once
#include <string>

namespace kolvex {

// Each of : " | * ? / \ < > becomes "_"; every other character stays.
std::string ReplaceInvalidChars(const std::string& text);

// A new, empty file with a unique name beginning "QE_" in the user's temporary folder;
// returns its full name. Throws EFCreateError.
std::string MakeTempFileName();

}  // namespace kolvex
