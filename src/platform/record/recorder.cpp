// The recorder: passes every call to the backend it wraps and writes down what the game got back,
// so that the replayer can give the same answers in the same order.
#include "platform/record/answers.h"
#include "platform/record/asset_sums.h"
#include "platform/record/layer.h"
#include "platform/system/settings.h"
#include "platform/system/thread.h"
#include "platform/system/version.h"
#include "platform/trace_file.h"

#include <cerrno>
#include <chrono>
#include <cstdio>

namespace platform::record {

namespace {

// Recording, a close is written after the answer of the call the game thread is in (or makes
// next), and the game thread goes back to the game only once the close has claimed the shutdown,
// so the replay can set the quit flag at the same point of the game's calls.
bool inCall = false;
bool closePending = false, closeWritten = false;

Writer writer;
uint32_t flushedAt = 0;
std::FILE* windowTrace = nullptr; // the trace of a recorded window session

void enter() {
    std::lock_guard guard(lock);
    if (finished) return;
    inCall = true;
    changed.notify_all();
}

void leave() {
    std::unique_lock guard(lock);
    if (!finished && closePending && !closeWritten && !gameEnding) {
        writeClose(writer);
        closeWritten = true;
        changed.notify_all();
        changed.wait(guard, [] { return claimed; });
    }
    inCall = false;
}

void note(Kind kind, int64_t argument, Answer answer) {
    if (!finished) writeAnswer(writer, kind, argument, answer);
}

// One call of the wrapped backend inside the bracket a close waits for, and its answer written
// down as answerOf gives it.
template <class Call, class AnswerOf>
auto recorded(Kind kind, int64_t argument, Call call, AnswerOf answerOf) {
    enter();
    const auto result = call();
    note(kind, argument, answerOf(result));
    leave();
    return result;
}

// After a sleep or a poll: how far the session moved on, and a block written out every second.
void noteMoved(Kind kind) {
    const uint32_t now = inner->session.sessionMs();
    note(kind, 0, {{int64_t(uint32_t(now - stamp))}});
    stamp = now;
    if (uint32_t(stamp - flushedAt) >= 1000) {
        flushBlock(writer);
        flushedAt = stamp;
    }
}

// A close from the player waits until the game thread is in a call, so that the game sees the
// quit flag where the recording says.
void destroyed() {
    {
        std::unique_lock guard(lock);
        if (!gameEnding && !closeWritten) {
            closePending = true;
            while (!inCall && !closeWritten && !gameEnding && !thread::hasEnded())
                changed.wait_for(guard, std::chrono::milliseconds(10));
        }
    }
    outerHandlers.destroyed();
}

int start(Backend kind, const HeadlessOptions& options) {
    if (int code = inner->session.start(kind, options); code != 0) return code;
    const std::vector<std::string> assets(options.assetFiles,
                                          options.assetFiles + options.assetFileCount);
    Header header;
    header.gameVersion = kVersion;
    header.recorder = kind == Backend::window ? Recorder::window : Recorder::headless;
    header.assets = sumFiles(assets);
    // A recording never takes the place of a file the game reads or writes.
    std::vector<std::string> kept = assets;
    kept.push_back(settingsPath());
    if (options.scoresPath != nullptr) kept.push_back(options.scoresPath);
    if (!openWriter(writer, options.recordPath, header, kept)) return 2;
    if (kind == Backend::window && options.tracePath != nullptr) {
        windowTrace = std::fopen(options.tracePath, "wb"); // one \n per line on every system
        if (windowTrace == nullptr) {
            std::fprintf(stderr, "vorblet: cannot write trace %s\n", options.tracePath);
            discardWriter(writer);
            return 2;
        }
    }
    return 0;
}

bool isKeyDown(int key) {
    return recorded(
        kKey, key, [key] { return inner->input.isKeyDown(key); },
        [](bool down) { return Answer{{down ? 1 : 0}}; });
}

int readJoystick(uint32_t& x, uint32_t& buttons) {
    return recorded(
        kJoystick, 0, [&] { return inner->input.readJoystick(x, buttons); },
        [&](int result) {
            return Answer{{result, x, buttons}};
        });
}

int32_t cursorClientX() {
    return recorded(
        kCursor, 0, [] { return inner->input.cursorClientX(); },
        [](int32_t x) { return Answer{{x}}; });
}

// A call during which the session's time moves on, recorded as how far it moved.
template <class Call> void passTime(Kind kind, Call call) {
    enter();
    call();
    noteMoved(kind);
    leave();
}

void buttonsPolled() {
    passTime(kPolled, [] { inner->input.buttonsPolled(); });
}

uint32_t tickCount() {
    return recorded(
        kTick, 0, [] { return inner->window.tickCount(); },
        [](uint32_t ticks) { return Answer{{ticks}}; });
}

void sleepMs(uint32_t ms) {
    passTime(kSleep, [ms] { inner->window.sleepMs(ms); });
}

void showMessageBox(const char* title, const char* text) {
    enter();
    inner->window.showMessageBox(title, text);
    traceBox(windowTrace, inner->session.sessionMs(), title, text);
    note(kBox, 0, {{boxHash(title, text)}});
    leave();
}

void writeWindow(int left, int top, int width, int height, const uint8_t* firstLine,
                 ptrdiff_t lineStep) {
    enter();
    inner->window.writeWindow(left, top, width, height, firstLine, lineStep);
    const uint64_t hash = presentedHash(left, top, width, height, firstLine, lineStep);
    tracePresent(windowTrace, inner->session.sessionMs(), hash);
    note(kPresent, 0, {{uint32_t(hash)}});
    leave();
}

void readWindow(int left, int top, int width, int height, uint8_t* firstLine, ptrdiff_t lineStep) {
    enter();
    inner->window.readWindow(left, top, width, height, firstLine, lineStep);
    note(kReadWindow, 0, {});
    leave();
}

int runWindow(const WindowHandlers& handlers) {
    outerHandlers = handlers;
    return inner->window.runWindow({handlers.created, destroyed});
}

void sendDestroy() {
    {
        std::lock_guard guard(lock);
        gameEnding = true;
        changed.notify_all();
    }
    note(kSendDestroy, 0, {});
    inner->window.sendDestroy();
}

void finish(int exitCode) {
    if (!finished) {
        const uint32_t now = inner->session.sessionMs();
        writeEnd(writer, exitCode, int64_t(uint32_t(now - stamp)));
        closeWriter(writer);
        traceExit(windowTrace, inner->session.sessionMs(), exitCode);
        if (windowTrace != nullptr) std::fclose(windowTrace);
        windowTrace = nullptr;
    }
    finished = true;
    inner->session.finish(exitCode);
}

int audioOpen(const char* path, int& handle) {
    return recorded(
        kAudioOpen, 0, [&] { return inner->audio.open(path, handle); },
        [&](int result) {
            return Answer{{result, handle}};
        });
}

int clipCall(Kind kind, int handle, int (*call)(int)) {
    return recorded(
        kind, handle, [&] { return call(handle); }, [](int result) { return Answer{{result}}; });
}

int audioIsPlaying(int handle, int& playing) {
    return recorded(
        kAudioPlaying, handle, [&] { return inner->audio.isPlaying(handle, playing); },
        [&](int result) {
            return Answer{{result, playing}};
        });
}

void traceSound(const char* action, int clip, int result) {
    enter();
    inner->session.traceSound(action, clip, result);
    traceSoundEvent(windowTrace, inner->session.sessionMs(), action, clip, result);
    note(kSound, 0, {{soundAction(action), clip, result}});
    leave();
}

// The bytes of the score file as the game reads them, in a file of their own.
std::FILE* openDataFile(const char* path) {
    enter();
    std::FILE* file = inner->files.openDataFile(path);
    int error = errno;
    std::vector<uint8_t> bytes;
    if (file != nullptr) {
        bytes.resize(kMaxDataBytes);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
        file = fileOfBytes(bytes.data(), bytes.size());
        error = file == nullptr ? (errno != 0 ? errno : EIO) : 0;
        if (file == nullptr) bytes.clear();
    }
    if (!finished) writeDataOpen(writer, error, bytes.data(), bytes.size());
    leave();
    errno = error;
    return file;
}

int replaceDataFile(const char* path, const void* bytes, size_t size) {
    return recorded(
        kDataReplace, 0, [&] { return inner->files.replaceDataFile(path, bytes, size); },
        [](int result) { return Answer{{result}}; });
}

} // namespace

const BackendTable recorder{
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
    .audio = {
        .open = audioOpen,
        .play = [](int handle) { return clipCall(kAudioPlay, handle, inner->audio.play); },
        .stop = [](int handle) { return clipCall(kAudioStop, handle, inner->audio.stop); },
        .isPlaying = audioIsPlaying,
        .close = [](int handle) { return clipCall(kAudioClose, handle, inner->audio.close); },
    },
    .files = {.openDataFile = openDataFile, .replaceDataFile = replaceDataFile},
    .session =
        {
            .start = start,
            .addShot = addShot,
            .finish = finish,
            .traceSound = traceSound,
            .sessionMs = sessionMs,
            .advanceSession = advanceSession,
            .closeWindow = closeWindow,
        },
};

} // namespace platform::record
