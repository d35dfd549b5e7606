#include "platform/system/game_files.h"

#include "platform/platform.h"

namespace platform {

namespace {

std::string folder;
std::vector<GameFileProblem> problems;

} // namespace

void setGameFolder(const std::string& chosen) {
    folder = chosen;
}

const std::string& gameFolder() {
    return folder;
}

std::string gameFilePath(const std::string& relative) {
    if (folder.empty()) return relative;
    if (folder.back() == PLATFORM_SEPARATOR[0]) return folder + relative;
    return folder + PLATFORM_SEPARATOR + relative;
}

void noteGameFileProblem(const std::string& path, const std::string& what) {
    problems.push_back({path, what});
}

const std::vector<GameFileProblem>& gameFileProblems() {
    return problems;
}

void clearGameFileProblems() {
    problems.clear();
}

} // namespace platform
