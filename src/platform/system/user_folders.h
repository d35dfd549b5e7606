#pragma once
// The player's own folders for the game, one set of rules for every file the game keeps there:
// the data folder (the high scores of an installed copy) and the config folder (the settings).
#include <string>

namespace platform {

// $XDG_DATA_HOME/vorblet, or $HOME/.local/share/vorblet when the variable is unset, empty or not
// absolute (as the XDG base directory rules say); the home folder comes from the password
// database when HOME is unset. Empty when no home folder is known.
std::string userDataFolder();
// $XDG_CONFIG_HOME/vorblet, or $HOME/.config/vorblet, by the same rules.
std::string userConfigFolder();

// Makes the folder that holds the file, and any missing folder above it, private to the user as
// a new XDG folder should be. 1 when the folder exists afterwards, else 0 with errno telling why.
int makeFolderFor(const std::string& file);

} // namespace platform
