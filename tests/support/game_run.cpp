#include "support/game_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The test process's own folder, so that the same test run by two processes at once (the
// whole-suite run beside the single-test runs) never shares a folder.
fs::path processFolder() {
    return fs::temp_directory_path() / "vorblet-tests" / std::to_string(getpid());
}

class RemoveFoldersAfterAPass : public testing::Environment {
  public:
    void TearDown() override {
        if (testing::UnitTest::GetInstance()->failed_test_count() == 0) {
            std::error_code ignored;
            fs::remove_all(processFolder(), ignored);
        }
    }
};

testing::Environment* const cleanup =
    testing::AddGlobalTestEnvironment(new RemoveFoldersAfterAPass);

} // namespace

fs::path makeGameFolder(const std::string& name, bool withAssets) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    fs::path folder =
        processFolder() / (std::string(test->test_suite_name()) + "." + test->name()) / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    if (withAssets) {
        for (const char* sub : {"BMP", "wav"})
            if (fs::exists(fs::path(VORBLET_GAME_DIR) / sub))
                fs::copy(fs::path(VORBLET_GAME_DIR) / sub, folder / sub,
                         fs::copy_options::recursive);
    }
    return folder;
}

std::string quoted(const std::string& arg) {
    std::string word = "'";
    for (char c : arg)
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

GameRun runProgram(const fs::path& folder, const std::vector<std::string>& args, int timeoutSeconds,
                   const std::vector<std::string>& environment) {
    // Appended piece by piece: GCC 12 warns wrongly (-Wrestrict) on a literal + a temporary string.
    std::string command = "cd ";
    command += quoted(folder.string());
    command += " && env";
    for (const std::string& setting : environment) {
        command += ' ';
        command += quoted(setting);
    }
    command += " timeout -s KILL ";
    command += std::to_string(timeoutSeconds);
    command += ' ';
    command += quoted(VORBLET_BINARY);
    for (const std::string& arg : args) {
        command += ' ';
        command += quoted(arg);
    }
    command += " 2> stderr.txt";
    int status = std::system(command.c_str());
    GameRun run;
    run.exitCode = WIFEXITED(status) && WEXITSTATUS(status) != 137 ? WEXITSTATUS(status) : -1;
    std::istringstream lines(readFile(folder / "trace.txt"));
    for (std::string line; std::getline(lines, line);)
        run.trace.push_back(line);
    run.errors = readFile(folder / "stderr.txt");
    return run;
}

GameRun runHeadless(const fs::path& folder, const std::string& script,
                    const std::vector<std::string>& extraArgs, int timeoutSeconds,
                    const std::vector<std::string>& environment) {
    std::ofstream(folder / "script.txt") << script;
    std::vector<std::string> args = {"--headless", "--script", "script.txt", "--trace",
                                     "trace.txt"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    return runProgram(folder, args, timeoutSeconds, environment);
}

std::vector<std::string> linesContaining(const std::vector<std::string>& lines,
                                         const std::string& word) {
    std::vector<std::string> found;
    for (const std::string& line : lines)
        if (line.find(word) != std::string::npos) found.push_back(line);
    return found;
}
