#include "core/app/DesktopUsage.h"

namespace kolvex {

TerminalRequest terminalRequest(const std::vector<std::string>& args) {
  if (args.empty()) return TerminalRequest::None;
  const std::string& first = args.front();
  if (first == "-h" || first == "--help") return TerminalRequest::Usage;
  if (first == "--version") return TerminalRequest::Version;
  return TerminalRequest::None;
}

std::string desktopUsage() {
  return "Usage: kolvex [FOLDER | /am]\n"
         "Catalogue discs and folders, browse and search the catalogs.\n"
         "\n"
         "  FOLDER      offer this folder for cataloguing\n"
         "  /am         start hidden in the tray, as the automatic start at log-on does\n"
         "  -h, --help  show this text and end\n"
         "  --version   show the version, the mode and the folders in use, and end\n"
         "\n"
         "Only one copy runs per user: a second start hands its folder to the running one.\n"
         "The command-line tool: kolvex-cli --help\n";
}

}  // namespace kolvex
