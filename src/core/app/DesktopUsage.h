#pragma once
// What the desktop program answers on the terminal before any window: its usage and its
// version, asked for by the first argument.
#include <string>
#include <vector>

namespace kolvex {

enum class TerminalRequest { None, Usage, Version };

// "-h" or "--help": the usage; "--version": the version. Anything else, or nothing, is
// left to the program's own command line (a folder or "/am").
TerminalRequest terminalRequest(const std::vector<std::string>& args);

// The usage as the manual page documents it, ending with a line break.
std::string desktopUsage();

}  // namespace kolvex
