#pragma once
// Why a file could not be read, in the program's language. The stream's own reasons (the
// file ends too early, holds something else, is no file of this program) are shown with
// the language file's texts, and so is a file that cannot be opened (or is no regular
// file); anything else (a path, what the system said) stays as it is.
#include <string>

#include "core/app/LanguageFile.h"

namespace kolvex {

std::string localReadError(LanguageFile& language, const std::string& reason);

}  // namespace kolvex
