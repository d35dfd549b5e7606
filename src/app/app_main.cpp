#include "app/app_main.h"

#include "app/game_thread.h"
#include "objects/program_data.h"
#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr, "usage: vorblet\n"
                         "       vorblet --headless --script FILE [--trace FILE] "
                         "[--shot MS:PATH.bmp]... [--no-sound]\n"
                         "       vorblet --bench\n");
    return 2;
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
    Shot shots[64];
    int shotCount = 0;
    for (int i = 1; i < argc; ++i) {
        std::string flag = argv[i];
        bool hasValue = i + 1 < argc;
        if (flag == "--headless") {
            backend = platform::Backend::headless;
        } else if (flag == "--bench") {
            backend = platform::Backend::bench;
        } else if (flag == "--no-sound") {
            options.noSound = true;
        } else if (flag == "--script" && hasValue) {
            options.scriptPath = argv[++i];
        } else if (flag == "--trace" && hasValue) {
            options.tracePath = argv[++i];
        } else if (flag == "--shot" && hasValue && shotCount < 64) {
            if (!parseShot(argv[++i], shots[shotCount].ms, shots[shotCount].path)) {
                std::fprintf(stderr, "vorblet: --shot needs MS:PATH.bmp, not '%s'\n", argv[i]);
                return 2;
            }
            ++shotCount;
        } else {
            return usage();
        }
    }
    if (backend == platform::Backend::headless && options.scriptPath == nullptr) return usage();
    if (backend != platform::Backend::headless &&
        (options.scriptPath || options.tracePath || shotCount || options.noSound))
        return usage();

    if (int code = platform::selectBackend(backend, options); code != 0) return code;
    for (int i = 0; i < shotCount; ++i)
        platform::addShot(shots[i].ms, shots[i].path);
    if (backend == platform::Backend::bench) return runBenchmark();
    return platform::runWindow({windowCreated, windowDestroyed});
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
