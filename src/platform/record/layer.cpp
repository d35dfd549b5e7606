// The record layer's table. Recording, it passes every call to the backend it wraps and writes
// down what the game got back; replaying, it answers the game from the recording and passes on
// only what shows (the picture, the sounds, boxes, the trace) and the window's lifecycle.
#include "platform/backend.h"
#include "platform/record/answers.h"
#include "platform/record/asset_sums.h"
#include "platform/system/file_replace.h"
#include "platform/system/regular_file.h"
#include "platform/system/settings.h"
#include "platform/system/thread.h"
#include "platform/system/version.h"
#include "platform/trace_file.h"
#include "platform/window_picture.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

namespace platform::record {

namespace {

enum class Mode { record, replay };

const BackendTable* inner = nullptr;
Mode mode = Mode::record;
bool watching = false;
WindowHandlers outerHandlers;

// The window's close meets the game thread here. Recording, a close is written after the answer
// of the call the game thread is in (or makes next), and the game thread goes back to the game
// only once the close has claimed the shutdown, so the replay can set the quit flag at the same
// point of the game's calls.
// Never destroyed, like what else a call at exit reaches: the game's global sound clips close
// themselves after every ordinary static is gone, and still talk to this layer.
std::mutex& lock = *new std::mutex;
std::condition_variable& changed = *new std::condition_variable;
bool inCall = false;
bool closePending = false, closeWritten = false;
bool claimed = false;    // the main thread has claimed the shutdown, or found it claimed
bool gameEnding = false; // the game thread asked for the window's destruction itself
bool finished = false;   // the program is past its end: global destructors still make calls

std::vector<uint8_t> picture = blankPicture();
uint32_t stamp = 0; // the session time at the last sleep or poll

Writer writer;
uint32_t flushedAt = 0;
std::FILE* windowTrace = nullptr; // the trace of a recorded window session

Recording recording;
Cursor cursor;
const char* replayPath = "";
const char* scoresPath = nullptr;
bool ranOut = false, diverged = false;
bool closingAsThePlayer = false; // the replay closed the window where the recording says
// The viewer of a watched replay closed its window: from there on the game ends as after any
// close, on its own calls, which the recording cannot know.
std::atomic<bool> viewerClosed{false};
uint32_t fallbackTick = 0;
// A watched replay's own clips, by the recorded handle.
std::map<int64_t, int>& innerHandles = *new std::map<int64_t, int>;

int soundAction(const char* action) {
    const char* const actions[] = {"open", "play", "stop", "close"};
    for (int i = 0; i < 4; ++i)
        if (std::strcmp(action, actions[i]) == 0) return i;
    return 4;
}

uint32_t boxHash(const char* title, const char* text) {
    const uint8_t zero = 0;
    uint64_t hash = hashBytes(reinterpret_cast<const uint8_t*>(title), std::strlen(title));
    hash = hashBytes(&zero, 1, hash);
    return uint32_t(hashBytes(reinterpret_cast<const uint8_t*>(text), std::strlen(text), hash));
}

// The bytes of the score file as the game reads them, in a file of their own.
std::FILE* fileOf(const uint8_t* bytes, size_t size) {
    std::FILE* file = std::tmpfile();
    if (file == nullptr) return nullptr;
    if (std::fwrite(bytes, 1, size, file) != size || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        errno = EIO;
        return nullptr;
    }
    return file;
}

// --- recording ---

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
void destroyedWhileRecording() {
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

// --- replaying ---

void closeAsThePlayer() {
    {
        std::lock_guard guard(lock);
        if (claimed || gameEnding) return;
        closingAsThePlayer = true;
    }
    inner->session.closeWindow();
    std::unique_lock guard(lock);
    changed.wait(guard, [] { return claimed || gameEnding; });
}

void stopFollowing(const std::string& why) {
    if (!ranOut && !why.empty()) {
        std::fprintf(stderr,
                     "vorblet: the replay no longer follows %s after %llu answers: %s; it ends as "
                     "if the window were closed\n",
                     replayPath, static_cast<unsigned long long>(cursor.taken), why.c_str());
        diverged = true;
    }
    ranOut = true;
    closeAsThePlayer();
}

// The recorded answer to this call, or false once the recording has no more to say.
bool ask(Kind kind, int64_t argument, Answer& answer, Entry* data = nullptr) {
    if (ranOut || finished || viewerClosed) return false;
    switch (takeAnswer(cursor, kind, argument, answer, data)) {
    case Take::answered:
        if (takeClose(cursor)) closeAsThePlayer();
        return true;
    case Take::ranOut:
        stopFollowing("");
        return false;
    case Take::mismatch:
        stopFollowing("the game made another call than the one recorded");
        return false;
    }
    return false;
}

void check(Kind kind, int64_t value, const char* what) {
    Answer answer;
    if (ask(kind, 0, answer) && answer.v[0] != value) stopFollowing(what);
}

void moveSession(uint32_t moved) {
    stamp += moved;
    inner->session.advanceSession(stamp);
}

bool loadRecording(const char* path, const std::vector<std::string>& assets) {
    replayPath = path;
    std::FILE* file = openRegularFile(path);
    if (file == nullptr) {
        std::fprintf(stderr, "vorblet: cannot read the recording %s: %s\n", path,
                     errno == kNotARegularFile ? "not a regular file" : std::strerror(errno));
        return false;
    }
    // A file past the largest recording is refused by its size, before a byte of it is read.
    if (const long long size = fileSize(file); size > 0 && uint64_t(size) > kMaxFileBytes) {
        std::fclose(file);
        std::fprintf(stderr,
                     "vorblet: cannot replay %s: the recording is larger than any session "
                     "makes\n",
                     path);
        return false;
    }
    std::vector<uint8_t> bytes;
    if (!readToEnd(file, kMaxFileBytes, bytes) && errno != EFBIG) {
        std::fprintf(stderr, "vorblet: cannot read the recording %s\n", path);
        return false;
    }
    std::string error;
    if (parseRecording(bytes.data(), bytes.size(), recording, error) != 1) {
        std::fprintf(stderr, "vorblet: cannot replay %s: %s\n", path, error.c_str());
        return false;
    }
    if (recording.header.gameVersion != kVersion) {
        std::fprintf(stderr,
                     "vorblet: cannot replay %s: it was recorded by Vorblet %s, and this is "
                     "Vorblet %s\n",
                     path, recording.header.gameVersion.c_str(), kVersion);
        return false;
    }
    const std::string differs = compareSums(recording.header.assets, sumFiles(assets));
    if (!differs.empty()) {
        std::fprintf(
            stderr,
            "vorblet: cannot replay %s: it was recorded with other artwork or sounds (%s)\n", path,
            differs.c_str());
        return false;
    }
    if (!recording.ended)
        std::fprintf(stderr,
                     "vorblet: %s was cut short (the recorded game did not end); the replay ends "
                     "where it does, as if the window were closed\n",
                     path);
    startCursor(cursor, recording);
    return true;
}

// --- the table ---

int start(Backend kind, const HeadlessOptions& options) {
    const std::vector<std::string> assets(options.assetFiles,
                                          options.assetFiles + options.assetFileCount);
    if (options.replayPath != nullptr) {
        mode = Mode::replay;
        watching = kind == Backend::window;
        scoresPath = options.scoresPath;
        if (!loadRecording(options.replayPath, assets)) return 2;
        HeadlessOptions shown;
        shown.tracePath = options.tracePath;
        return inner->session.start(kind, shown);
    }
    mode = Mode::record;
    if (int code = inner->session.start(kind, options); code != 0) return code;
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
        windowTrace = std::fopen(options.tracePath, "w");
        if (windowTrace == nullptr) {
            std::fprintf(stderr, "vorblet: cannot write trace %s\n", options.tracePath);
            discardWriter(writer);
            return 2;
        }
    }
    return 0;
}

bool isKeyDown(int key) {
    if (mode == Mode::record) {
        enter();
        const bool down = inner->input.isKeyDown(key);
        note(kKey, key, {{down ? 1 : 0}});
        leave();
        return down;
    }
    inner->session.advanceSession(stamp);
    Answer answer;
    return ask(kKey, key, answer) && answer.v[0] != 0;
}

int readJoystick(uint32_t& x, uint32_t& buttons) {
    if (mode == Mode::record) {
        enter();
        const int result = inner->input.readJoystick(x, buttons);
        note(kJoystick, 0, {{result, x, buttons}});
        leave();
        return result;
    }
    inner->session.advanceSession(stamp);
    Answer answer;
    if (!ask(kJoystick, 0, answer)) return 1;
    x = uint32_t(answer.v[1]);
    buttons = uint32_t(answer.v[2]);
    return int(answer.v[0]);
}

int32_t cursorClientX() {
    if (mode == Mode::record) {
        enter();
        const int32_t x = inner->input.cursorClientX();
        note(kCursor, 0, {{x}});
        leave();
        return x;
    }
    inner->session.advanceSession(stamp);
    Answer answer;
    if (!ask(kCursor, 0, answer)) return int32_t(lastAnswer(cursor.memory, kCursor, 0).v[0]);
    return int32_t(answer.v[0]);
}

// A call during which the session's time moves on: recorded as how far it moved, replayed as
// that move, or as `fallbackMs` once the recording has no more to say.
template <class Call> void passTime(Kind kind, Call call, uint32_t fallbackMs) {
    if (mode == Mode::record) {
        enter();
        call();
        noteMoved(kind);
        leave();
        return;
    }
    Answer answer;
    if (ask(kind, 0, answer)) {
        moveSession(uint32_t(answer.v[0]));
    } else {
        fallbackTick += fallbackMs;
        moveSession(fallbackMs);
    }
}

void buttonsPolled() {
    passTime(
        kPolled, [] { inner->input.buttonsPolled(); }, 1);
}

uint32_t tickCount() {
    if (mode == Mode::record) {
        enter();
        const uint32_t ticks = inner->window.tickCount();
        note(kTick, 0, {{ticks}});
        leave();
        return ticks;
    }
    Answer answer;
    if (ask(kTick, 0, answer)) fallbackTick = uint32_t(answer.v[0]);
    return fallbackTick;
}

void sleepMs(uint32_t ms) {
    passTime(
        kSleep, [ms] { inner->window.sleepMs(ms); }, ms);
}

void showMessageBox(const char* title, const char* text) {
    if (mode == Mode::record) {
        enter();
        inner->window.showMessageBox(title, text);
        traceBox(windowTrace, inner->session.sessionMs(), title, text);
        note(kBox, 0, {{boxHash(title, text)}});
        leave();
        return;
    }
    inner->window.showMessageBox(title, text);
    check(kBox, boxHash(title, text), "a message box differs from the recorded one");
}

void writeWindow(int left, int top, int width, int height, const uint8_t* firstLine,
                 ptrdiff_t lineStep) {
    if (mode == Mode::record) enter();
    inner->window.writeWindow(left, top, width, height, firstLine, lineStep);
    copyIntoPicture(picture, left, top, width, height, firstLine, lineStep);
    const uint64_t hash = hashPicture(picture);
    if (mode == Mode::record) {
        tracePresent(windowTrace, inner->session.sessionMs(), hash);
        note(kPresent, 0, {{uint32_t(hash)}});
        leave();
        return;
    }
    check(kPresent, uint32_t(hash), "the picture differs from the recorded one");
}

void readWindow(int left, int top, int width, int height, uint8_t* firstLine, ptrdiff_t lineStep) {
    if (mode == Mode::record) enter();
    inner->window.readWindow(left, top, width, height, firstLine, lineStep);
    if (mode == Mode::record) {
        note(kReadWindow, 0, {});
        leave();
        return;
    }
    Answer answer;
    ask(kReadWindow, 0, answer);
}

void destroyed() {
    if (mode == Mode::record) {
        destroyedWhileRecording();
        return;
    }
    {
        std::lock_guard guard(lock);
        if (!closingAsThePlayer && !gameEnding) viewerClosed = true;
    }
    outerHandlers.destroyed();
}

int runWindow(const WindowHandlers& handlers) {
    outerHandlers = handlers;
    const int code = inner->window.runWindow({handlers.created, destroyed});
    // A replay that stopped following its recording did not show what was recorded.
    return mode == Mode::replay && diverged && code == 0 ? 2 : code;
}

void claim() {
    std::lock_guard guard(lock);
    claimed = true;
    changed.notify_all();
}

void postQuit() {
    claim();
    inner->window.postQuit();
}

void waitGameThread() {
    claim();
    inner->window.waitGameThread();
}

void sendDestroy() {
    {
        std::lock_guard guard(lock);
        gameEnding = true;
        changed.notify_all();
    }
    Answer answer;
    if (mode == Mode::record)
        note(kSendDestroy, 0, {});
    else
        ask(kSendDestroy, 0, answer);
    inner->window.sendDestroy();
}

void finish(int exitCode) {
    if (mode == Mode::record && !finished) {
        const uint32_t now = inner->session.sessionMs();
        writeEnd(writer, exitCode, int64_t(uint32_t(now - stamp)));
        closeWriter(writer);
        traceExit(windowTrace, inner->session.sessionMs(), exitCode);
        if (windowTrace != nullptr) std::fclose(windowTrace);
        windowTrace = nullptr;
    } else if (mode == Mode::replay && !finished) {
        Entry end;
        if (!ranOut && !viewerClosed && peekEnd(cursor, end)) {
            moveSession(uint32_t(end.fields[1]));
            if (end.fields[0] != exitCode)
                std::fprintf(stderr,
                             "vorblet: the replay of %s ends with exit code %d, the recorded game "
                             "ended with %lld\n",
                             replayPath, exitCode, static_cast<long long>(end.fields[0]));
        }
    }
    finished = true;
    inner->session.finish(exitCode);
}

int audioOpen(const char* path, int& handle) {
    if (mode == Mode::record) {
        enter();
        const int result = inner->audio.open(path, handle);
        note(kAudioOpen, 0, {{result, handle}});
        leave();
        return result;
    }
    Answer answer;
    if (!ask(kAudioOpen, 0, answer)) return kAudioErrorNoDevice;
    handle = int(answer.v[1]);
    int own = -1;
    if (watching && answer.v[0] == 0 && inner->audio.open(path, own) == 0)
        innerHandles[answer.v[1]] = own;
    return int(answer.v[0]);
}

// A clip operation with one result: recorded, or answered and carried out on a watched replay's
// own clip.
int clipCall(Kind kind, int handle, int (*call)(int)) {
    if (mode == Mode::record) {
        enter();
        const int result = call(handle);
        note(kind, handle, {{result}});
        leave();
        return result;
    }
    auto own = innerHandles.find(handle);
    if (own != innerHandles.end()) {
        call(own->second);
        if (kind == kAudioClose) innerHandles.erase(own);
    }
    Answer answer;
    return ask(kind, handle, answer) ? int(answer.v[0]) : 0;
}

int audioIsPlaying(int handle, int& playing) {
    if (mode == Mode::record) {
        enter();
        const int result = inner->audio.isPlaying(handle, playing);
        note(kAudioPlaying, handle, {{result, playing}});
        leave();
        return result;
    }
    Answer answer;
    if (!ask(kAudioPlaying, handle, answer)) {
        playing = 0;
        return 0;
    }
    playing = int(answer.v[1]);
    return int(answer.v[0]);
}

void traceSound(const char* action, int clip, int result) {
    if (mode == Mode::record) enter();
    inner->session.traceSound(action, clip, result);
    if (mode == Mode::record) {
        traceSoundEvent(windowTrace, inner->session.sessionMs(), action, clip, result);
        note(kSound, 0, {{soundAction(action), clip, result}});
        leave();
        return;
    }
    Answer answer;
    if (ask(kSound, 0, answer) && !(answer == Answer{{soundAction(action), clip, result}}))
        stopFollowing("a sound differs from the recorded one");
}

std::FILE* openDataFile(const char* path) {
    if (mode == Mode::record) {
        enter();
        std::FILE* file = inner->files.openDataFile(path);
        int error = errno;
        std::vector<uint8_t> bytes;
        if (file != nullptr) {
            bytes.resize(kMaxDataBytes);
            bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
            std::fclose(file);
            file = fileOf(bytes.data(), bytes.size());
            error = file == nullptr ? (errno != 0 ? errno : EIO) : 0;
            if (file == nullptr) bytes.clear();
        }
        if (!finished) writeDataOpen(writer, error, bytes.data(), bytes.size());
        leave();
        errno = error;
        return file;
    }
    Answer answer;
    Entry entry;
    if (!ask(kDataOpen, 0, answer, &entry)) {
        errno = ENOENT;
        return nullptr;
    }
    if (entry.fields[0] != 0) {
        errno = int(entry.fields[0]);
        return nullptr;
    }
    return fileOf(entry.data, entry.dataSize);
}

int replaceDataFile(const char* path, const void* bytes, size_t size) {
    if (mode == Mode::record) {
        enter();
        const int result = inner->files.replaceDataFile(path, bytes, size);
        note(kDataReplace, 0, {{result}});
        leave();
        return result;
    }
    // A replay leaves the player's own scores alone: with nowhere to write, nothing failed.
    int written = 1;
    if (scoresPath != nullptr) {
        written = replaceFile(scoresPath, bytes, size);
        if (written != 1) std::fprintf(stderr, "vorblet: cannot write the scores %s\n", scoresPath);
    }
    Answer answer;
    return ask(kDataReplace, 0, answer) ? int(answer.v[0]) : written;
}

} // namespace

void wrap(const BackendTable& wrapped) {
    inner = &wrapped;
}

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
    .audio = {
        .open = audioOpen,
        .play = [](int handle) { return clipCall(kAudioPlay, handle, inner->audio.play); },
        .stop = [](int handle) { return clipCall(kAudioStop, handle, inner->audio.stop); },
        .isPlaying = audioIsPlaying,
        .close = [](int handle) { return clipCall(kAudioClose, handle, inner->audio.close); },
    },
    .files = {.openDataFile = openDataFile, .replaceDataFile = replaceDataFile},
    .session = {
        .start = start,
        .addShot = [](uint32_t ms, const char* path) { inner->session.addShot(ms, path); },
        .finish = finish,
        .traceSound = traceSound,
        .sessionMs = [] { return inner->session.sessionMs(); },
        .advanceSession = [](uint32_t ms) { inner->session.advanceSession(ms); },
        .closeWindow = [] { inner->session.closeWindow(); },
    },
};

} // namespace platform::record
