#include "platform/platform.h"

#include "platform/backend.h"
#include "platform/system/thread.h"

#include <csignal>

namespace platform {

namespace {
// A browser build has the page for its window and nothing else; a desktop build has the SDL
// window, the headless script and the benchmark.
#ifdef __EMSCRIPTEN__
const BackendTable* const windowTable = &web::backend;
const BackendTable* const headlessTable = &web::backend;
#else
const BackendTable* const windowTable = &sdl::backend;
const BackendTable* const headlessTable = &headless::backend;
#endif
Backend kind = Backend::window;
const BackendTable* active = windowTable;
} // namespace

int selectBackend(Backend chosen, const HeadlessOptions& options) {
#ifdef SIGXFSZ
    // A file-size limit must fail the write that passes it (EFBIG), so that a save can clean up
    // and report, instead of killing the game with the scores unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    kind = chosen;
    active = chosen == Backend::window ? windowTable : headlessTable;
    if (options.recordPath != nullptr || options.replayPath != nullptr) {
        record::wrap(*active);
        active = &record::backend;
    }
    return active->start(chosen, options);
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
    active->addShot(ms, path);
}

bool isKeyDown(int virtualKey) {
    return active->isKeyDown(virtualKey);
}

int readJoystick(uint32_t& x, uint32_t& buttons) {
    return active->readJoystick(x, buttons);
}

int32_t cursorClientX() {
    return active->cursorClientX();
}

void buttonsPolled() {
    active->buttonsPolled();
}

uint32_t tickCount() {
    return active->tickCount();
}

void sleepMs(uint32_t ms) {
    active->sleepMs(ms);
}

void showMessageBox(const char* title, const char* text) {
    active->showMessageBox(title, text);
}

void writeWindow(int left, int top, int width, int height, const uint8_t* firstLine,
                 ptrdiff_t lineStep) {
    active->writeWindow(left, top, width, height, firstLine, lineStep);
}

void readWindow(int left, int top, int width, int height, uint8_t* firstLine, ptrdiff_t lineStep) {
    active->readWindow(left, top, width, height, firstLine, lineStep);
}

int runWindow(const WindowHandlers& handlers) {
    return active->runWindow(handlers);
}

void postQuit() {
    active->postQuit();
}

void sendDestroy() {
    active->sendDestroy();
}

void startGameThread(int (*entry)(void*), void* argument) {
    thread::start(entry, argument);
}

void waitGameThread() {
    active->waitGameThread();
}

void finish(int exitCode) {
    active->finish(exitCode);
}

int audioOpen(const char* path, int& handle) {
    return active->audioOpen(path, handle);
}

int audioPlay(int handle) {
    return active->audioPlay(handle);
}

int audioStop(int handle) {
    return active->audioStop(handle);
}

int audioIsPlaying(int handle, int& playing) {
    return active->audioIsPlaying(handle, playing);
}

int audioClose(int handle) {
    return active->audioClose(handle);
}

void traceSound(const char* action, int clip, int result) {
    active->traceSound(action, clip, result);
}

std::FILE* openDataFile(const char* path) {
    return active->openDataFile(path);
}

int replaceDataFile(const char* path, const void* bytes, size_t size) {
    return active->replaceDataFile(path, bytes, size);
}

} // namespace platform
