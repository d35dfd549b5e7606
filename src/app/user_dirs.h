#pragma once
// Where this run keeps the high scores: beside the game's files when they come from the current
// folder, else in the player's data folder.
#include <string>

// Vorblet.dat in the current folder when the game's files come from it (as they always did), else
// in the player's data folder (platform::userDataFolder). Empty when neither can be had.
std::string scoreFileFor(bool dataFromCurrentFolder);

// The score file of this run: Vorblet.dat in the current folder until the entry function
// chooses, so that tests running the play loop in-process keep to their own folders.
extern std::string scoreFile;
