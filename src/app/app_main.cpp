#include "app/app_main.h"

#include "app/data_dir.h"
#include "app/game_thread.h"
#include "app/start_report.h"
#include "app/user_dirs.h"
#include "objects/program_data.h"
#include "platform/game_files.h"
#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr, "usage: vorblet [--data-dir DIR]\n"
                         "       vorblet --headless --script FILE [--trace FILE] "
                         "[--shot MS:PATH.bmp]... [--no-sound] [--data-dir DIR]\n"
                         "       vorblet --bench [--data-dir DIR]\n");
    return 2;
}

int argumentError(const std::string& what) {
    std::fprintf(stderr, "vorblet: %s\n", what.c_str());
    return usage();
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
    bool headlessGiven = false, benchGiven = false;
    const char* dataDir = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--headless") {
            headlessGiven = true;
            backend = platform::Backend::headless;
        } else if (flag == "--bench") {
            benchGiven = true;
            backend = platform::Backend::bench;
        } else if (flag == "--no-sound") {
            options.noSound = true;
        } else if (flag == "--script" || flag == "--trace") {
            if (i + 1 == argc) return argumentError(flag + " needs a value");
            const char*& path = flag == "--script" ? options.scriptPath : options.tracePath;
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
            if (!parseShot(argv[++i], shots[shotCount].ms, shots[shotCount].path)) {
                std::fprintf(stderr, "vorblet: --shot needs MS:PATH.bmp, not '%s'\n", argv[i]);
                return 2;
            }
            ++shotCount;
        } else {
            return argumentError("unknown argument '" + flag + "'");
        }
    }
    if (headlessGiven && benchGiven)
        return argumentError("--headless and --bench exclude each other");
    if (backend == platform::Backend::headless && options.scriptPath == nullptr)
        return argumentError("--headless needs --script FILE");
    if (backend != platform::Backend::headless &&
        (options.scriptPath || options.tracePath || shotCount || options.noSound))
        return argumentError("--script, --trace, --shot and --no-sound go only with --headless");

    const DataFolder data = findDataFolder(dataDir);
    platform::setGameFolder(data.path);
    scoreFile = scoreFileFor(data.fromCurrentFolder);

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

// A close from the user claims the shutdown and waits, without limit, for the game thread to
// reach its next flag test and end; a destroy sent by the game thread finds the claim taken.
void windowDestroyed() {
    if (claimQuit()) platform::waitGameThread();
    platform::postQuit();
}
