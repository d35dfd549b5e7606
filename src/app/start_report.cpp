#include "app/start_report.h"

#include "platform/system/game_files.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

void reportStartFailure(const DataFolder& data) {
    std::string searched;
    for (const std::string& folder : data.searched)
        searched += (searched.empty() ? "" : ", ") + folder;
    const auto& problems = platform::gameFileProblems();
    if (problems.empty()) {
        std::fprintf(stderr, "vorblet: the game could not start: its pictures could not be made "
                             "(out of memory)\n");
        return;
    }
    for (const platform::GameFileProblem& problem : problems) {
        std::error_code error;
        const std::filesystem::path path = std::filesystem::absolute(problem.path, error);
        std::fprintf(
            stderr, "vorblet: %s %s; the game's files (BMP/ and wav/) were looked for in: %s\n",
            (error ? problem.path : path.string()).c_str(), problem.what.c_str(), searched.c_str());
    }
}
