#include "platform/platform.h"

#include "platform/backend.h"
#include "platform/system/thread.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace platform {

namespace {
// A browser build has the page for its window and nothing else; a desktop build has the SDL
// window, the headless script and the benchmark.
#if defined(__EMSCRIPTEN__)
const BackendTable* const windowTable = &web::backend;
const BackendTable* const headlessTable = &web::backend;
#elif defined(_WIN32)
// The Windows build has no window of its own yet: it plays scripts, benchmarks and replays.
const BackendTable* const windowTable = nullptr;
const BackendTable* const headlessTable = &headless::backend;
#else
const BackendTable* const windowTable = &sdl::backend;
const BackendTable* const headlessTable = &headless::backend;
#endif
Backend kind = Backend::window;
// Until a backend is chosen (a run that ends at --version), the one every build has.
const BackendTable* active = headlessTable;
} // namespace

using AnyFunction = void (*)();
static_assert(sizeof(BackendTable) % sizeof(AnyFunction) == 0, "a table holds only functions");

int firstEmptyEntry(const BackendTable& table) {
    AnyFunction entries[sizeof(BackendTable) / sizeof(AnyFunction)];
    std::memcpy(entries, &table, sizeof entries);
    for (size_t i = 0; i < std::size(entries); ++i)
        if (entries[i] == nullptr) return int(i);
    return -1;
}

int selectBackend(Backend chosen, const HeadlessOptions& options) {
#ifdef SIGXFSZ
    // A file-size limit must fail the write that passes it (EFBIG), so that a save can clean up
    // and report, instead of killing the game with the scores unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    kind = chosen;
    const BackendTable* const table = chosen == Backend::window ? windowTable : headlessTable;
    active = table;
    if (active == nullptr) {
        std::fprintf(stderr, "vorblet: this build has no window; it plays --headless, --bench and "
                             "--replay runs\n");
        return 2;
    }
    if (options.recordPath != nullptr || options.replayPath != nullptr)
        active = &record::wrap(*table, options.replayPath != nullptr);
    for (const BackendTable* checked : {active, table})
        if (const int empty = firstEmptyEntry(*checked); empty >= 0) {
            std::fprintf(stderr, "vorblet: the backend leaves entry %d of its table empty\n",
                         empty);
            return 70;
        }
    return active->session.start(chosen, options);
}

bool sessionMayEndUnannounced() {
#ifdef __EMSCRIPTEN__
    return true;
#else
    return false;
#endif
}

Backend currentBackend() {
    return kind;
}

void addShot(uint32_t ms, const char* path) {
    active->session.addShot(ms, path);
}

bool isKeyDown(int virtualKey) {
    return active->input.isKeyDown(virtualKey);
}

int readJoystick(uint32_t& x, uint32_t& buttons) {
    return active->input.readJoystick(x, buttons);
}

int32_t cursorClientX() {
    return active->input.cursorClientX();
}

void buttonsPolled() {
    active->input.buttonsPolled();
}

uint32_t tickCount() {
    return active->window.tickCount();
}

void sleepMs(uint32_t ms) {
    active->window.sleepMs(ms);
}

void showMessageBox(const char* title, const char* text) {
    active->window.showMessageBox(title, text);
}

void writeWindow(int left, int top, int width, int height, const uint8_t* firstLine,
                 ptrdiff_t lineStep) {
    active->window.writeWindow(left, top, width, height, firstLine, lineStep);
}

void readWindow(int left, int top, int width, int height, uint8_t* firstLine, ptrdiff_t lineStep) {
    active->window.readWindow(left, top, width, height, firstLine, lineStep);
}

int runWindow(const WindowHandlers& handlers) {
    return active->window.runWindow(handlers);
}

void postQuit() {
    active->window.postQuit();
}

void sendDestroy() {
    active->window.sendDestroy();
}

void startGameThread(int (*entry)(void*), void* argument) {
    thread::start(entry, argument);
}

void waitGameThread() {
    active->window.waitGameThread();
}

void finish(int exitCode) {
    active->session.finish(exitCode);
}

int audioOpen(const char* path, int& handle) {
    return active->audio.open(path, handle);
}

int audioPlay(int handle) {
    return active->audio.play(handle);
}

int audioStop(int handle) {
    return active->audio.stop(handle);
}

int audioIsPlaying(int handle, int& playing) {
    return active->audio.isPlaying(handle, playing);
}

int audioClose(int handle) {
    return active->audio.close(handle);
}

void traceSound(const char* action, int clip, int result) {
    active->session.traceSound(action, clip, result);
}

std::FILE* openDataFile(const char* path) {
    return active->files.openDataFile(path);
}

int replaceDataFile(const char* path, const void* bytes, size_t size) {
    return active->files.replaceDataFile(path, bytes, size);
}

} // namespace platform
