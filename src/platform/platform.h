#pragma once
// The one seam between the game and the machine. Game code includes this header and never SDL:
// the window backend (SDL2, SDL2_mixer) and the headless backend (script, virtual clock, trace)
// both stand behind these functions. Everything here is called on the game thread unless it says
// otherwise.
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace platform {

// The keys the game reads, by the values of their Windows virtual-key codes (kKeySpace is
// VK_SPACE), which the game's input code was written in; the names are our own, since
// <windows.h> defines the VK_ ones as macros.
enum VirtualKey : int {
    kKeyLeftButton = 0x01,
    kKeyRightButton = 0x02,
    kKeyTab = 0x09,
    kKeyShift = 0x10,
    kKeyControl = 0x11,
    kKeyEscape = 0x1B,
    kKeySpace = 0x20,
    kKeyLeft = 0x25,
    kKeyRight = 0x27,
};

// Game files are found by relative paths with the platform's own separator.
#ifdef _WIN32
#define PLATFORM_SEPARATOR "\\"
#else
#define PLATFORM_SEPARATOR "/"
#endif

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 460;

// How the program runs: a real window, a scripted run on the virtual clock, or the benchmark
// (no window, no sound device, real clock).
enum class Backend { window, headless, bench };

struct HeadlessOptions {
    const char* scriptPath = nullptr;
    const char* tracePath = nullptr; // null: no trace
    bool noSound = false;
    // Recording and replaying the seam's answers (any backend records; a replay runs headless,
    // or in the window when watched). The asset files are those whose checksums a recording
    // carries; the scores path is the only score file a replay writes, or, recording, the game's
    // own score file, which the recording must not take the place of.
    const char* recordPath = nullptr;
    const char* replayPath = nullptr;
    const char* scoresPath = nullptr;
    const char* const* assetFiles = nullptr;
    int assetFileCount = 0;
};

// Chooses the backend before anything else runs. For headless runs the script is read here:
// a malformed script prints its line number and fault to stderr and gives 2; otherwise 0.
int selectBackend(Backend backend, const HeadlessOptions& options);
// Adds a picture to write when the virtual clock reaches ms (headless only).
void addShot(uint32_t ms, const char* path);
Backend currentBackend();
// True where the program can be ended at any moment without hearing of it (a browser tab that
// is closed or reloaded), so that what must last is saved as soon as it is made.
bool sessionMayEndUnannounced();

// --- input, polled by the game thread ---
bool isKeyDown(int virtualKey);
// joyGetPos for joystick 0: 0 and X (0..65535, centre 32767/32768) and the button bits
// (bit 0 = button 1), or non-zero when there is no joystick.
int readJoystick(uint32_t& x, uint32_t& buttons);
// The cursor's x relative to the window's client area; not clamped.
int32_t cursorClientX();
// Every poll of the buttons moves the headless clock on by 1 ms, so unpaced loops see time pass.
void buttonsPolled();

// --- time ---
uint32_t tickCount(); // milliseconds, wrapping
void sleepMs(uint32_t ms);

// --- dialogs ---
// A modal box with no owner window; returns when the player dismissed it. UTF-8 text.
void showMessageBox(const char* title, const char* text);

// --- the window picture (640 x 460, blue-green-red bytes) ---
// A block of pixels is given by the address of its top-left pixel and the signed byte step from
// one line to the line below (negative for bottom-up buffers). The caller clips to the window.
void writeWindow(int left, int top, int width, int height, const uint8_t* firstLine,
                 ptrdiff_t lineStep);
void readWindow(int left, int top, int width, int height, uint8_t* firstLine, ptrdiff_t lineStep);

// --- the window's lifecycle ---
struct WindowHandlers {
    void (*created)();   // on the main thread once the window exists: starts the game thread
    void (*destroyed)(); // on the main thread for every destroy request, from the user or the game
};
// Main thread: makes the window, calls created, pumps until postQuit. Returns 0, or 1 when no
// window could be made (the reason is already on stderr).
int runWindow(const WindowHandlers& handlers);
// Main thread: ends the pump after the current message.
void postQuit();
// Game thread: has the main thread handle a destroy request; returns once it has been handled.
void sendDestroy();
// Main thread: starts the game thread with a stack large enough for a round's ball table.
void startGameThread(int (*entry)(void*), void* argument);
// Main thread: returns when the game thread has ended, serving its boxes and pictures meanwhile.
void waitGameThread();
// After the entry function returned: records the exit code (headless trace) and releases the
// backend.
void finish(int exitCode);

// --- the score file ---
// Opens it for reading in binary mode, as platform::openRegularFile does: null with errno set
// when it cannot be opened.
std::FILE* openDataFile(const char* path);
// Replaces its contents as replaceFile does: 1 for success, 0 for failure.
int replaceDataFile(const char* path, const void* bytes, size_t size);

// --- audio: clips played without blocking ---
// Results are 0 or a media error code (never -1, which the sound layer keeps for its own use).
constexpr int kAudioErrorNoDevice = 266;
constexpr int kAudioErrorBadFile = 275;
constexpr int kAudioErrorBadHandle = 263;
int audioOpen(const char* path, int& handle);
int audioPlay(int handle); // from the start
int audioStop(int handle);
int audioIsPlaying(int handle, int& playing);
int audioClose(int handle);
// One trace line per sound operation as the game saw it (headless only; a no-op elsewhere).
void traceSound(const char* action, int clip, int result);

} // namespace platform
