#include "platform/platform.h"

#include "platform/backends.h"

#include <SDL.h>

namespace platform {

namespace {
Backend backend = Backend::window;
bool windowed() {
    return backend == Backend::window;
}
} // namespace

int selectBackend(Backend chosen, const HeadlessOptions& options) {
    backend = chosen;
    if (chosen == Backend::window) return 0;
    return headless::start(chosen == Backend::bench, options);
}

void addShot(uint32_t ms, const char* path) {
    headless::addShot(ms, path);
}
Backend currentBackend() {
    return backend;
}

bool isKeyDown(int virtualKey) {
    return windowed() ? sdl::isKeyDown(virtualKey) : headless::isKeyDown(virtualKey);
}

int readJoystick(uint32_t& x, uint32_t& buttons) {
    return windowed() ? sdl::readJoystick(x, buttons) : headless::readJoystick(x, buttons);
}

int32_t cursorClientX() {
    return windowed() ? sdl::cursorClientX() : headless::cursorClientX();
}

void buttonsPolled() {
    if (!windowed()) headless::buttonsPolled();
}

uint32_t tickCount() {
    return windowed() ? SDL_GetTicks() : headless::tickCount();
}

void sleepMs(uint32_t ms) {
    if (windowed())
        SDL_Delay(ms);
    else
        headless::sleepMs(ms);
}

void showMessageBox(const char* title, const char* text) {
    if (windowed())
        sdl::showMessageBox(title, text);
    else
        headless::showMessageBox(title, text);
}

void writeWindow(int left, int top, int width, int height, const uint8_t* firstLine,
                 ptrdiff_t lineStep) {
    if (windowed())
        sdl::writeWindow(left, top, width, height, firstLine, lineStep);
    else
        headless::writeWindow(left, top, width, height, firstLine, lineStep);
}

void readWindow(int left, int top, int width, int height, uint8_t* firstLine, ptrdiff_t lineStep) {
    if (windowed())
        sdl::readWindow(left, top, width, height, firstLine, lineStep);
    else
        headless::readWindow(left, top, width, height, firstLine, lineStep);
}

int runWindow(const WindowHandlers& handlers) {
    return windowed() ? sdl::runWindow(handlers) : headless::runWindow(handlers);
}

void postQuit() {
    if (windowed())
        sdl::postQuit();
    else
        headless::postQuit();
}

void sendDestroy() {
    if (windowed())
        sdl::sendDestroy();
    else
        headless::sendDestroy();
}

void startGameThread(int (*entry)(void*), void* argument) {
    thread::start(entry, argument);
}

void waitGameThread() {
    if (windowed())
        sdl::waitGameThread();
    else
        headless::waitGameThread();
}

void finish(int exitCode) {
    if (!windowed()) headless::finish(exitCode);
}

int audioOpen(const char* path, int& handle) {
    return windowed() ? sdl::audioOpen(path, handle) : headless::audioOpen(path, handle);
}
int audioPlay(int handle) {
    return windowed() ? sdl::audioPlay(handle) : headless::audioPlay(handle);
}
int audioStop(int handle) {
    return windowed() ? sdl::audioStop(handle) : headless::audioStop(handle);
}
int audioIsPlaying(int handle, int& playing) {
    return windowed() ? sdl::audioIsPlaying(handle, playing)
                      : headless::audioIsPlaying(handle, playing);
}
int audioClose(int handle) {
    return windowed() ? sdl::audioClose(handle) : headless::audioClose(handle);
}

void traceSound(const char* action, int clip, int result) {
    if (!windowed()) headless::traceSound(action, clip, result);
}

} // namespace platform
