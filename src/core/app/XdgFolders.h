#pragma once
// The user's folders as the XDG base directory rules name them.
#include <string>

namespace kolvex::xdg {

// The home folder without a trailing '/': $HOME when it is an absolute path, else the
// password database's entry; empty when there is none.
std::string homeFolder();
// $XDG_CONFIG_HOME when it is an absolute path (the rules ignore a relative one), else the
// home folder + "/.config"; empty when there is no home folder. No trailing '/'.
std::string configHome();
// $XDG_DATA_HOME, else the home folder + "/.local/share"; the same rules.
std::string dataHome();
// $XDG_CACHE_HOME, else the home folder + "/.cache"; the same rules.
std::string cacheHome();
// Creates the folder and any missing parents, private to the user as the rules ask for
// folders made on the user's behalf. True when it is a folder afterwards.
bool makeFolders(const std::string& dir);

}  // namespace kolvex::xdg
