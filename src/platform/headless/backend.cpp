// The headless backend's table: the seam answered from the script on the virtual clock.
#include "platform/headless/state.h"

#include "platform/backend.h"
#include "platform/headless/audio.h"
#include "platform/system/thread.h"

#include "platform/bmp_file.h"
#include "platform/system/file_replace.h"
#include "platform/system/regular_file.h"
#include "platform/trace_file.h"
#include "platform/window_picture.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstring>
#include <thread>

namespace platform::headless {

namespace {

// A script is read only from a regular file: a folder would read as a script with no events and
// a FIFO would hold the start until someone wrote to it, and either run would never end.
bool readScript(const char* path, std::string& text, std::string& error) {
    std::FILE* file = openRegularFile(path);
    if (file == nullptr && errno == kNotARegularFile) {
        error = std::string("script ") + path + " is not a regular file";
        return false;
    }
    if (file == nullptr) {
        error = std::string("cannot read script ") + path + ": " + std::strerror(errno);
        return false;
    }
    const bool ok = readToEnd(file, size_t(-1), text); // a script of any length
    if (!ok) error = std::string("cannot read script ") + path;
    return ok;
}

// The script's clock runs through the sleep; a pause holds the game's time, so the sleep ends
// when ms of the game's time have passed. A pause that nothing in the script will end ends the
// run as a closed window does, as a player who walked away would find it.
void sleepVirtual(uint32_t ms) {
    State& s = state();
    const uint32_t until = gameTime() + ms;
    while (static_cast<int32_t>(until - gameTime()) > 0) {
        if (paused() && s.nextEvent >= s.events.size()) {
            if (s.probe) return;
            applyEvent(ScriptEvent{s.clock, ScriptEvent::close, 0});
            continue;
        }
        advanceTo(s.clock + (until - gameTime()));
    }
}

// Only the game thread reads input or sleeps, so due items are delivered there.
void deliverDue() {
    advanceTo(state().clock);
}

int start(bool realClock, const HeadlessOptions& options) {
    State& s = state();
    s.realClock = realClock;
    s.noSound = options.noSound;
    if (options.scriptPath != nullptr) {
        std::string text, error;
        if (!readScript(options.scriptPath, text, error)) {
            std::fprintf(stderr, "vorblet: %s\n", error.c_str());
            return 2;
        }
        if (!parseScript(text, s.events, error)) {
            std::fprintf(stderr, "vorblet: %s:%s\n", options.scriptPath, error.c_str());
            return 2;
        }
    }
    if (options.tracePath != nullptr) {
        s.trace = std::fopen(options.tracePath, "wb"); // one \n per line on every system
        if (s.trace == nullptr) {
            std::fprintf(stderr, "vorblet: cannot write trace %s\n", options.tracePath);
            return 2;
        }
    }
    return 0;
}

void addShot(uint32_t ms, const char* path) {
    std::vector<Shot>& shots = state().shots;
    auto place = std::upper_bound(shots.begin(), shots.end(), ms,
                                  [](uint32_t t, const Shot& shot) { return t < shot.ms; });
    shots.insert(place, Shot{ms, path});
}

bool isKeyDown(int virtualKey) {
    deliverDue();
    // Without the focus, keys and buttons reach another program, as on the window.
    if (virtualKey < 0 || virtualKey >= kGameKeyCount || state().focusLost) return false;
    GameInputs game;
    gameInputsFrom(state().held, game);
    return game.keys[virtualKey];
}

int readJoystick(uint32_t& x, uint32_t& buttons) {
    deliverDue();
    const State& s = state();
    if (!s.joystickPresent) return 1;
    x = s.joystickX;
    GameInputs game;
    gameInputsFrom(s.held, game);
    buttons = game.fire && !s.focusLost ? 1u : 0u;
    if (s.focusLost) x = 32768;
    return 0;
}

int32_t cursorClientX() {
    deliverDue();
    return state().cursorX;
}

void buttonsPolled() {
    if (!state().realClock) advanceTo(state().clock + 1);
}

uint32_t tickCount() {
    if (!state().realClock) return gameTime();
    using namespace std::chrono;
    static const steady_clock::time_point origin = steady_clock::now();
    return uint32_t(duration_cast<milliseconds>(steady_clock::now() - origin).count());
}

void sleepMs(uint32_t ms) {
    if (state().realClock)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    else
        sleepVirtual(ms);
}

void showMessageBox(const char* title, const char* text) {
    traceBox(state().trace, state().clock, title, text);
    state().boxes.push_back(std::string(title) + "|" + text);
}

void writeWindow(int left, int top, int width, int height, const uint8_t* firstLine,
                 ptrdiff_t lineStep) {
    State& s = state();
    // The benchmark has no window to show: copying and hashing would only measure this backend.
    if (s.realClock) return;
    copyIntoPicture(s.picture, left, top, width, height, firstLine, lineStep);
    ++s.presents;
    if (s.trace != nullptr) tracePresent(s.trace, s.clock, hashPicture(s.picture));
}

void readWindow(int left, int top, int width, int height, uint8_t* firstLine, ptrdiff_t lineStep) {
    const State& s = state();
    copyOutOfPicture(s.picture, left, top, width, height, firstLine, lineStep);
}

int runWindow(const WindowHandlers& handlers) {
    State& s = state();
    handlers.created();
    std::unique_lock guard(s.lock);
    while (!s.quit) {
        s.changed.wait_for(guard, std::chrono::milliseconds(20),
                           [&] { return s.destroyPending || s.quit; });
        if (s.destroyPending) {
            s.destroyPending = false;
            uint64_t serial = s.requested;
            guard.unlock();
            handlers.destroyed();
            guard.lock();
            s.handled = serial;
            s.changed.notify_all();
        } else if (!s.quit && thread::hasEnded()) {
            break; // every end of the game thread asks for a destroy; this only guards a hang
        }
    }
    guard.unlock();
    thread::join();
    return 0;
}

void postQuit() {
    State& s = state();
    std::lock_guard guard(s.lock);
    s.quit = true;
    s.acknowledged = s.requested;
    s.changed.notify_all();
}

void sendDestroy() {
    State& s = state();
    std::unique_lock guard(s.lock);
    uint64_t serial = ++s.requested;
    s.destroyPending = true;
    s.changed.notify_all();
    s.changed.wait(guard, [&] { return s.handled >= serial; });
}

void waitGameThread() {
    State& s = state();
    {
        std::lock_guard guard(s.lock);
        s.acknowledged = s.requested;
        s.changed.notify_all();
    }
    thread::join();
}

void finish(int exitCode) {
    State& s = state();
    traceExit(s.trace, s.clock, exitCode);
    if (s.trace != nullptr) std::fclose(s.trace);
    s.trace = nullptr;
}

} // namespace

const BackendTable backend{
    .window =
        {
            .runWindow = runWindow,
            .postQuit = postQuit,
            .sendDestroy = sendDestroy,
            .waitGameThread = waitGameThread,
            .showMessageBox = showMessageBox,
            .writeWindow = writeWindow,
            .readWindow = readWindow,
            .tickCount = tickCount,
            .sleepMs = sleepMs,
        },
    .input =
        {
            .isKeyDown = isKeyDown,
            .readJoystick = readJoystick,
            .cursorClientX = cursorClientX,
            .buttonsPolled = buttonsPolled,
        },
    .audio =
        {
            .open = audioOpen,
            .play = audioPlay,
            .stop = audioStop,
            .isPlaying = audioIsPlaying,
            .close = audioClose,
        },
    .files = {.openDataFile = openRegularFile, .replaceDataFile = replaceFile},
    .session = {
        .start =
            [](Backend kind, const HeadlessOptions& options) {
                return start(kind == Backend::bench, options);
            },
        .addShot = addShot,
        .finish = finish,
        .traceSound = traceSound,
        .sessionMs = [] { return state().clock; },
        .advanceSession = advanceTo,
        .closeWindow =
            [] {
                applyEvent(ScriptEvent{state().clock, ScriptEvent::close, 0});
            },
    },
};

} // namespace platform::headless
