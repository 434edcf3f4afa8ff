#pragma once
// An invalid mask told in the program's language. The exception's own text stays English
// for the command line; the windows show this one.
#include <optional>
#include <string>
#include <string_view>

#include "core/app/LanguageFile.h"
#include "core/search/EMaskException.h"

namespace kolvex {

inline constexpr const char* kInvalidMaskKey = "A091";

// The error in the language of `language`; the exception's text when the language file
// lacks the key.
std::string localMaskError(LanguageFile& language, const EMaskException& error);

// A list of masks as the search takes it (";" between masks): the error of its first
// invalid mask in the program's language, nothing when every mask compiles.
std::optional<std::string> maskListError(LanguageFile& language, std::string_view list);

}  // namespace kolvex
