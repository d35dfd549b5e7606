#include "app/app_main.h"

#include "app/benchmark.h"
#include "app/data_dir.h"
#include "app/game_thread.h"
#include "app/start_report.h"
#include "app/user_dirs.h"
#include "objects/inventory.h"
#include "objects/program_data.h"
#include "platform/platform.h"
#include "platform/system/game_files.h"
#include "platform/system/quoted.h"
#include "platform/system/settings.h"
#include "platform/system/version.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
        "  settings            %s\n"
        "\n"
        "Options:\n"
        "  --fullscreen        start fullscreen\n"
        "  --window            start in a window\n"
        "  --data-dir DIR      take the artwork and sounds from DIR\n"
        "  --help              show this help\n"
        "  --version           show the version\n"
        "\n"
        "For tests and measurements:\n"
        "  --headless --script FILE [--trace FILE] [--shot MS:PATH.bmp]... [--no-sound]\n"
        "                      play a script on a virtual clock, without a window\n"
        "  --bench             one BENCH round without a window; prints its figures\n"
        "\n"
        "Recording and replaying a session:\n"
        "  --record FILE       write what the game sees (keys, clock, sounds, scores) to FILE\n"
        "                      as it runs, in the window or with --headless\n"
        "  --replay FILE [--trace FILE] [--shot MS:PATH.bmp]... [--scores FILE]\n"
        "                      play a recording back exactly, without a window, as fast as it\n"
        "                      goes; the score file is written only to --scores FILE\n"
        "  --replay FILE --watch [--scores FILE]\n"
        "                      play it back in a window at the recorded speed\n",
        platform::kVersion, data.path.empty() ? "the current folder" : data.path.c_str(),
        scores.empty() ? "(none: no home folder is known)" : scores.c_str(),
        settings.empty() ? "(none: no home folder is known)" : settings.c_str());
    return 0;
}

bool parseShot(const char* text, uint32_t& ms, const char*& path) {
    const char* colon = std::strchr(text, ':');
    if (colon == nullptr || colon == text || colon[1] == '\0') return false;
    char* end = nullptr;
    errno = 0;
    unsigned long value = std::strtoul(text, &end, 10);
    if (end != colon || errno != 0 || value > 0xFFFFFFFFul || text[0] == '-') return false;
    ms = uint32_t(value);
    path = colon + 1;
    return true;
}

} // namespace

int appMain(int argc, char** argv) {
    platform::Backend backend = platform::Backend::window;
    platform::HeadlessOptions options;
    struct Shot {
        uint32_t ms;
        const char* path;
    };
    constexpr int kMaxShots = 64;
    Shot shots[kMaxShots];
    int shotCount = 0;
    bool headlessGiven = false, benchGiven = false, watch = false;
    platform::FullscreenChoice fullscreen = platform::FullscreenChoice::saved;
    const char* dataDir = nullptr;
    bool helpWanted = false;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--help") {
            helpWanted = true;
        } else if (flag == "--version") {
            std::printf("vorblet %s\n", platform::kVersion);
            return 0;
        } else if (flag == "--fullscreen" || flag == "--window") {
            const auto choice = flag == "--fullscreen" ? platform::FullscreenChoice::fullscreen
                                                       : platform::FullscreenChoice::window;
            if (fullscreen != platform::FullscreenChoice::saved && fullscreen != choice)
                return argumentError("--fullscreen and --window exclude each other");
            fullscreen = choice;
        } else if (flag == "--headless") {
            headlessGiven = true;
            backend = platform::Backend::headless;
        } else if (flag == "--bench") {
            benchGiven = true;
            backend = platform::Backend::bench;
        } else if (flag == "--no-sound") {
            options.noSound = true;
        } else if (flag == "--watch") {
            watch = true;
        } else if (flag == "--script" || flag == "--trace" || flag == "--record" ||
                   flag == "--replay" || flag == "--scores") {
            if (i + 1 == argc) return argumentError(flag + " needs a value");
            const char*& path = flag == "--script"   ? options.scriptPath
                                : flag == "--trace"  ? options.tracePath
                                : flag == "--record" ? options.recordPath
                                : flag == "--replay" ? options.replayPath
                                                     : options.scoresPath;
            // A second one would silently win over the first.
            if (path != nullptr) return argumentError(flag + " given twice");
            path = argv[++i];
        } else if (flag == "--data-dir") {
            if (i + 1 == argc) return argumentError("--data-dir needs a value");
            if (dataDir != nullptr) return argumentError("--data-dir given twice");
            dataDir = argv[++i];
        } else if (flag == "--shot") {
            if (i + 1 == argc) return argumentError("--shot needs a value");
            if (shotCount == kMaxShots)
                return argumentError("at most " + std::to_string(kMaxShots) +
                                     " --shot pictures in one run");
            if (!parseShot(argv[++i], shots[shotCount].ms, shots[shotCount].path))
                return argumentError("--shot needs MS:PATH.bmp, not " + quotedForMessage(argv[i]));
            ++shotCount;
        } else {
            return argumentError("unknown argument " + quotedForMessage(flag));
        }
    }
    if (helpWanted) return help(dataDir);
    if (headlessGiven && benchGiven)
        return argumentError("--headless and --bench exclude each other");
    if (options.replayPath != nullptr) {
        if (options.recordPath || options.scriptPath || options.noSound || benchGiven)
            return argumentError(
                "--replay goes without --record, --script, --no-sound and --bench");
        if (watch && (headlessGiven || options.tracePath || shotCount))
            return argumentError(
                "--replay --watch shows a window: no --headless, --trace or --shot");
        backend = watch ? platform::Backend::window : platform::Backend::headless;
    } else if (watch || options.scoresPath) {
        return argumentError("--watch and --scores go only with --replay");
    } else if (options.recordPath && benchGiven) {
        return argumentError("--record goes with the window or --headless, not --bench");
    } else if (backend == platform::Backend::headless && options.scriptPath == nullptr) {
        return argumentError("--headless needs --script FILE");
    }
    // A recorded window session can keep a trace too; the window alone keeps none.
    const bool traceKept = backend == platform::Backend::headless ||
                           (backend == platform::Backend::window && options.recordPath);
    if (backend != platform::Backend::headless &&
        (options.scriptPath || (options.tracePath && !traceKept) || shotCount || options.noSound))
        return argumentError("--script, --trace, --shot and --no-sound go only with --headless");
    if (backend != platform::Backend::window && fullscreen != platform::FullscreenChoice::saved)
        return argumentError("--fullscreen and --window go only with the window");
    platform::chooseFullscreen(fullscreen);
    const DataFolder data = findDataFolder(dataDir);
    platform::setGameFolder(data.path);
    scoreFile = scoreFileFor(data.fromCurrentFolder);
    // The files a recording names, where this run reads them.
    options.assetFiles = assetFiles().data();
    options.assetFileCount = int(assetFiles().size());
    // A recording is kept off the score file, which the run writes as it always does.
    if (options.recordPath != nullptr && !scoreFile.empty()) options.scoresPath = scoreFile.c_str();

    if (int code = platform::selectBackend(backend, options); code != 0) return code;
    for (int i = 0; i < shotCount; ++i)
        platform::addShot(shots[i].ms, shots[i].path);
    const int code = backend == platform::Backend::bench
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
