#pragma once
// The one formatter for texts that come from language files and are used as formats.
// Such a text is data, not code: it may hold "%s" (a text), "%d" (a whole number) and
// "%%" (a per-cent sign), each placeholder taking the next argument, whose kind must
// match. It may use fewer placeholders than there are arguments (a translation may leave
// a value out), never more. Anything else makes the text unfit for its arguments; it is
// then never filled in, so a bad translation can neither crash the program nor show
// another value in the place of the one it names.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/app/FormatArg.h"

namespace kolvex {

// Why the text does not fit arguments of these kinds; empty when it does.
std::string formatProblem(std::string_view format, std::span<const ArgKind> kinds);

// The filled-in text, or nothing when the text does not fit the arguments.
std::optional<std::string> formatChecked(std::string_view format, std::span<const FormatArg> args);

// The filled-in text; a text that does not fit is shown by showUnfilled.
std::string formatOrShow(std::string_view format, std::span<const FormatArg> args);

// The text as it stands, followed by the argument values in square brackets (when there
// are any), so the user still sees every value: "Searching %x [Disc 1, 2, 5]".
std::string showUnfilled(std::string_view text, std::span<const FormatArg> args);

}  // namespace kolvex
