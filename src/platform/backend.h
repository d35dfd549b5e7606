#pragma once
// The table of functions a backend fills to stand behind the seam, in groups by what they serve;
// platform.cpp forwards every seam call through the table chosen at start-up. GCC's -Wextra makes
// a missing entry without a default a compile error, but clang says nothing, so
// tests/platform/backend_table_test.cpp checks every entry.
#include "platform/platform.h"

namespace platform {

// The do-nothing answers a real backend leaves in place of what only scripted runs need.
inline int startNothing(Backend, const HeadlessOptions&) {
    return 0;
}
inline void takeNoShot(uint32_t, const char*) {}
inline void doNothing() {}
inline void finishNothing(int) {}
inline void traceNoSound(const char*, int, int) {}

// The main thread's window and the program's life in it: the loop, the close, message boxes, the
// picture, and the game's clock (which the window's pause holds).
struct WindowEntries {
    int (*runWindow)(const WindowHandlers& handlers);
    void (*postQuit)();
    void (*sendDestroy)();
    void (*waitGameThread)();
    void (*showMessageBox)(const char* title, const char* text);
    void (*writeWindow)(int left, int top, int width, int height, const uint8_t* firstLine,
                        ptrdiff_t lineStep);
    void (*readWindow)(int left, int top, int width, int height, uint8_t* firstLine,
                       ptrdiff_t lineStep);
    uint32_t (*tickCount)();
    void (*sleepMs)(uint32_t ms);
};

struct InputEntries {
    bool (*isKeyDown)(int virtualKey);
    int (*readJoystick)(uint32_t& x, uint32_t& buttons);
    int32_t (*cursorClientX)();
    // After each poll of the buttons: the virtual clock's step, or the page's chance to run.
    void (*buttonsPolled)() = doNothing;
};

struct AudioEntries {
    int (*open)(const char* path, int& handle);
    int (*play)(int handle);
    int (*stop)(int handle);
    int (*isPlaying)(int handle, int& playing);
    int (*close)(int handle);
};

struct FileEntries {
    std::FILE* (*openDataFile)(const char* path);
    int (*replaceDataFile)(const char* path, const void* bytes, size_t size);
};

// What scripted runs, traces, shots and recordings ask of a backend.
struct SessionEntries {
    // Before anything else runs: 0, or the exit code of a start that failed (reason on stderr).
    int (*start)(Backend kind, const HeadlessOptions& options) = startNothing;
    void (*addShot)(uint32_t ms, const char* path) = takeNoShot;
    void (*finish)(int exitCode) = finishNothing;
    void (*traceSound)(const char* action, int clip, int result) = traceNoSound;
    // For the record layer: the time the backend's trace and shots go by (ms since the start,
    // pauses included); moving it on to ms (the virtual clock jumps, the window waits for it);
    // and, on the game thread, the window's close as the player would make it.
    uint32_t (*sessionMs)();
    void (*advanceSession)(uint32_t ms);
    void (*closeWindow)();
};

// A backend fills each group with what it does; the entries with a default it may leave.
struct BackendTable {
    WindowEntries window;
    InputEntries input;
    AudioEntries audio;
    FileEntries files;
    SessionEntries session;
};

// The index of the first empty entry of a table, read as the array of function pointers it is, or
// -1 when every entry is filled. The start refuses a table with an empty entry, so that no
// compiler's silence about a missing one reaches a player as a crash.
int firstEmptyEntry(const BackendTable& table);

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
extern const BackendTable recorder; // records the answers of the table it wraps
extern const BackendTable replayer; // answers from a recording in front of the table it wraps
// Wraps inner in the recorder or the replayer, and gives the table to use.
const BackendTable& wrap(const BackendTable& inner, bool replaying);
} // namespace record

} // namespace platform
