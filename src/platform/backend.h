#pragma once
// The table of functions a backend fills to stand behind the seam; platform.cpp forwards every
// seam call through the table chosen at start-up. GCC's -Wextra makes a missing entry a compile
// error, but clang says nothing, so tests/platform/backend_table_test.cpp checks every entry.
#include "platform/platform.h"

namespace platform {

struct BackendTable {
    // Before anything else runs: 0, or the exit code of a start that failed (reason on stderr).
    int (*start)(Backend kind, const HeadlessOptions& options);
    void (*addShot)(uint32_t ms, const char* path);
    bool (*isKeyDown)(int virtualKey);
    int (*readJoystick)(uint32_t& x, uint32_t& buttons);
    int32_t (*cursorClientX)();
    void (*buttonsPolled)();
    uint32_t (*tickCount)();
    void (*sleepMs)(uint32_t ms);
    void (*showMessageBox)(const char* title, const char* text);
    void (*writeWindow)(int left, int top, int width, int height, const uint8_t* firstLine,
                        ptrdiff_t lineStep);
    void (*readWindow)(int left, int top, int width, int height, uint8_t* firstLine,
                       ptrdiff_t lineStep);
    int (*runWindow)(const WindowHandlers& handlers);
    void (*postQuit)();
    void (*sendDestroy)();
    void (*waitGameThread)();
    void (*finish)(int exitCode);
    int (*audioOpen)(const char* path, int& handle);
    int (*audioPlay)(int handle);
    int (*audioStop)(int handle);
    int (*audioIsPlaying)(int handle, int& playing);
    int (*audioClose)(int handle);
    void (*traceSound)(const char* action, int clip, int result);
    std::FILE* (*openDataFile)(const char* path);
    int (*replaceDataFile)(const char* path, const void* bytes, size_t size);
    // For the record layer: the time the backend's trace and shots go by (ms since the start,
    // pauses included); moving it on to ms (the virtual clock jumps, the window waits for it);
    // and, on the game thread, the window's close as the player would make it.
    uint32_t (*sessionMs)();
    void (*advanceSession)(uint32_t ms);
    void (*closeWindow)();
};

namespace sdl {
extern const BackendTable backend; // a real window, SDL2 and SDL2_mixer
}
namespace headless {
extern const BackendTable backend; // the script on the virtual clock, or the benchmark
}
namespace web {
extern const BackendTable backend; // a canvas on a web page, in place of the SDL window
}
namespace record {
// Records the answers of the table it wraps, or replays a recording in front of it.
extern const BackendTable backend;
void wrap(const BackendTable& inner);
} // namespace record

} // namespace platform
