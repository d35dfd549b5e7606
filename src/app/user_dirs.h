#pragma once
// The player's own folders: the XDG data folder, where the high scores live when the game runs
// from an installed copy, and the score file this run reads and writes.
#include <string>

// $XDG_DATA_HOME, or $HOME/.local/share when it is unset, empty or not absolute (as the XDG base
// directory rules say); the home folder comes from the password database when HOME is unset.
// Empty when no home folder is known.
std::string xdgDataHome();

// Where the high scores live: Vorblet.dat in the current folder when the game's files come from
// it (as they always did), else in xdgDataHome()/vorblet. Empty when neither can be had.
std::string scoreFileFor(bool dataFromCurrentFolder);

// Makes the folder that holds the file, and any missing folder above it, private to the user as
// a new XDG data folder should be. 1 when the folder exists afterwards, else 0 with errno telling
// why.
int makeFolderFor(const std::string& file);

// The score file of this run: Vorblet.dat in the current folder until the entry function
// chooses, so that tests running the play loop in-process keep to their own folders.
extern std::string scoreFile;
