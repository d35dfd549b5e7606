#pragma once
// Where the game's own files (BMP/, wav/) are read from, and what was wrong with the ones that
// could not be used, so that a start that fails can say which file and where.
#include <string>
#include <vector>

namespace platform {

// The folder the game's files are read from; empty for the current folder, where the names stay
// relative as they always were.
void setGameFolder(const std::string& folder);
const std::string& gameFolder();
// The path to open for a game file named relative to the game folder ("BMP/128.bmp").
std::string gameFilePath(const std::string& relative);

// One game file that stopped the start: its path as opened and what is wrong with it.
struct GameFileProblem {
    std::string path;
    std::string what;
};
void noteGameFileProblem(const std::string& path, const std::string& what);
const std::vector<GameFileProblem>& gameFileProblems();
void clearGameFileProblems();

} // namespace platform
