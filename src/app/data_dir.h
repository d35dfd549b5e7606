#pragma once
// Finding the folder that holds the game's files (BMP/ and wav/): the current folder, the
// executable's folder, the installed data folder, or the one the player names.
#include <string>
#include <vector>

struct DataFolder {
    // Where the game's files are read from; empty for the current folder, so that their names
    // stay relative as they always were.
    std::string path;
    // The files come from the current folder, and so the scores stay there too.
    bool fromCurrentFolder = false;
    // The folders looked at, in order, for the report of a start that fails.
    std::vector<std::string> searched;
};

// The folders to look in, in order: the current folder, the executable's folder and the data
// folder installed beside it (<prefix>/share/vorblet for <prefix>/bin/vorblet), each once; an
// empty executable folder is left out.
std::vector<std::string> dataFolderCandidates(const std::string& current,
                                              const std::string& executable);
// The first candidate that holds both BMP/ and wav/. When none does, the current folder, where
// the start then fails with the messages it always gave.
DataFolder chooseDataFolder(const std::vector<std::string>& candidates, const std::string& current);
// The folder of --data-dir when given (null otherwise), or the first of the candidates.
DataFolder findDataFolder(const char* given);
