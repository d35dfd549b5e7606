#include "app/app_main.h"

#include "app/benchmark.h"
#include "app/data_dir.h"
#include "app/game_thread.h"
#include "app/options.h"
#include "app/start_report.h"
#include "app/user_dirs.h"
#include "objects/inventory.h"
#include "objects/program_data.h"
#include "platform/platform.h"
#include "platform/system/game_files.h"
#include "platform/system/settings.h"
#include "platform/system/version.h"

#include <cstdio>
#include <string>

namespace {

int argumentError(const std::string& what) {
    std::fprintf(stderr, "vorblet: %s\nTry 'vorblet --help' for the options.\n", what.c_str());
    return 2;
}

int help(const char* dataDir) {
    const std::string settings = platform::settingsPath();
    const DataFolder data = findDataFolder(dataDir);
    const std::string scores = scoreFileFor(data.fromCurrentFolder);
    std::printf(
        "usage: vorblet [--fullscreen | --window] [--data-dir DIR]\n"
        "\n"
        "Vorblet %s: slide the paddle along the gap in the bottom wall and keep the balls\n"
        "bouncing into the blocks before the blocks sink down to you.\n"
        "\n"
        "Controls:\n"
        "  Left, Right         move the paddle (or the mouse, a joystick, a gamepad's stick or\n"
        "                      D-pad)\n"
        "  Space               start a round (or the left mouse button, which then steers with\n"
        "                      the mouse; a joystick's button, a gamepad's A or Start)\n"
        "  Escape              end the round; on the title screen, quit (a gamepad's B or Back)\n"
        "  P                   pause and resume; leaving the window pauses too\n"
        "  M                   sound off and on\n"
        "  F11, Alt+Enter      fullscreen and back; the window can be resized freely\n"
        "\n"
        "Variants, chosen by the keys held as the round starts:\n"
        "  NORMAL (none)  SUPER (Tab)  HYPER (Control)  ULTRA (Tab and Control)  BENCH (Shift)\n"
        "\n"
        "Files:\n"
        "  artwork and sounds  %s\n"
        "  high scores         %s\n"
        "  settings            %s\n",
        platform::kVersion, data.path.empty() ? "the current folder" : data.path.c_str(),
        scores.empty() ? "(none: no home folder is known)" : scores.c_str(),
        settings.empty() ? "(none: no home folder is known)" : settings.c_str());
    printOptionHelp();
    return 0;
}

} // namespace

int appMain(int argc, char** argv) {
    Options options;
    std::string error;
    if (int code = parseOptions(argc, argv, options, error); code != 0) return argumentError(error);
    if (options.versionWanted) {
        std::printf("vorblet %s\n", platform::kVersion);
        return 0;
    }
    if (options.helpWanted) return help(options.dataDir);
    platform::chooseFullscreen(options.fullscreen);
    const DataFolder data = findDataFolder(options.dataDir);
    platform::setGameFolder(data.path);
    scoreFile = scoreFileFor(data.fromCurrentFolder);
    // The files a recording names, where this run reads them.
    options.headless.assetFiles = assetFiles().data();
    options.headless.assetFileCount = int(assetFiles().size());
    // A recording is kept off the score file, which the run writes as it always does.
    if (options.headless.recordPath != nullptr && !scoreFile.empty())
        options.headless.scoresPath = scoreFile.c_str();

    if (int code = platform::selectBackend(options.backend, options.headless); code != 0)
        return code;
    for (int i = 0; i < options.shotCount; ++i)
        platform::addShot(options.shots[i].ms, options.shots[i].path);
    const int code = options.backend == platform::Backend::bench
                         ? runBenchmark()
                         : platform::runWindow({windowCreated, windowDestroyed});
    // A start that failed is not a game that ended: a launcher or a script must be able to tell.
    if (startFailed() == 1) {
        reportStartFailure(data);
        return 1;
    }
    return code;
}

void windowCreated() {
    platform::startGameThread(gameThreadMain, nullptr);
}

// A close from the user claims the shutdown and waits for the game thread to reach its next flag
// test and end (the window gives up after a few seconds, a hung save say); a destroy sent by the
// game thread finds the claim taken.
void windowDestroyed() {
    if (claimQuit()) platform::waitGameThread();
    platform::postQuit();
}
