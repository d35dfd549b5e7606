// The replayer: answers the game from a recording instead of the machine, and passes on to the
// backend it wraps only what shows (the picture, the sounds, boxes, the trace) and the window's
// lifecycle. A game that stops following the recording ends as after a close.
#include "platform/record/answers.h"
#include "platform/record/asset_sums.h"
#include "platform/record/layer.h"
#include "platform/system/file_replace.h"
#include "platform/system/regular_file.h"
#include "platform/system/version.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace platform::record {

namespace {

bool watching = false;
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

int start(Backend kind, const HeadlessOptions& options) {
    const std::vector<std::string> assets(options.assetFiles,
                                          options.assetFiles + options.assetFileCount);
    watching = kind == Backend::window;
    scoresPath = options.scoresPath;
    if (!loadRecording(options.replayPath, assets)) return 2;
    HeadlessOptions shown;
    shown.tracePath = options.tracePath;
    return inner->session.start(kind, shown);
}

bool isKeyDown(int key) {
    inner->session.advanceSession(stamp);
    Answer answer;
    return ask(kKey, key, answer) && answer.v[0] != 0;
}

int readJoystick(uint32_t& x, uint32_t& buttons) {
    inner->session.advanceSession(stamp);
    Answer answer;
    if (!ask(kJoystick, 0, answer)) return 1;
    x = uint32_t(answer.v[1]);
    buttons = uint32_t(answer.v[2]);
    return int(answer.v[0]);
}

int32_t cursorClientX() {
    inner->session.advanceSession(stamp);
    Answer answer;
    if (!ask(kCursor, 0, answer)) return int32_t(lastAnswer(cursor.memory, kCursor, 0).v[0]);
    return int32_t(answer.v[0]);
}

// A call during which the session's time moved on: replayed as that move, or as `fallbackMs`
// once the recording has no more to say.
void passTime(Kind kind, uint32_t fallbackMs) {
    Answer answer;
    if (ask(kind, 0, answer)) {
        moveSession(uint32_t(answer.v[0]));
    } else {
        fallbackTick += fallbackMs;
        moveSession(fallbackMs);
    }
}

void buttonsPolled() {
    passTime(kPolled, 1);
}

uint32_t tickCount() {
    Answer answer;
    if (ask(kTick, 0, answer)) fallbackTick = uint32_t(answer.v[0]);
    return fallbackTick;
}

void sleepMs(uint32_t ms) {
    passTime(kSleep, ms);
}

void showMessageBox(const char* title, const char* text) {
    inner->window.showMessageBox(title, text);
    check(kBox, boxHash(title, text), "a message box differs from the recorded one");
}

void writeWindow(int left, int top, int width, int height, const uint8_t* firstLine,
                 ptrdiff_t lineStep) {
    inner->window.writeWindow(left, top, width, height, firstLine, lineStep);
    const uint64_t hash = presentedHash(left, top, width, height, firstLine, lineStep);
    check(kPresent, uint32_t(hash), "the picture differs from the recorded one");
}

void readWindow(int left, int top, int width, int height, uint8_t* firstLine, ptrdiff_t lineStep) {
    inner->window.readWindow(left, top, width, height, firstLine, lineStep);
    Answer answer;
    ask(kReadWindow, 0, answer);
}

void destroyed() {
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
    return diverged && code == 0 ? 2 : code;
}

void sendDestroy() {
    {
        std::lock_guard guard(lock);
        gameEnding = true;
        changed.notify_all();
    }
    Answer answer;
    ask(kSendDestroy, 0, answer);
    inner->window.sendDestroy();
}

void finish(int exitCode) {
    if (!finished) {
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
    Answer answer;
    if (!ask(kAudioOpen, 0, answer)) return kAudioErrorNoDevice;
    handle = int(answer.v[1]);
    int own = -1;
    if (watching && answer.v[0] == 0 && inner->audio.open(path, own) == 0)
        innerHandles[answer.v[1]] = own;
    return int(answer.v[0]);
}

// A clip operation with one result: answered, and carried out on a watched replay's own clip.
int clipCall(Kind kind, int handle, int (*call)(int)) {
    auto own = innerHandles.find(handle);
    if (own != innerHandles.end()) {
        call(own->second);
        if (kind == kAudioClose) innerHandles.erase(own);
    }
    Answer answer;
    return ask(kind, handle, answer) ? int(answer.v[0]) : 0;
}

int audioIsPlaying(int handle, int& playing) {
    Answer answer;
    if (!ask(kAudioPlaying, handle, answer)) {
        playing = 0;
        return 0;
    }
    playing = int(answer.v[1]);
    return int(answer.v[0]);
}

void traceSound(const char* action, int clip, int result) {
    inner->session.traceSound(action, clip, result);
    Answer answer;
    if (ask(kSound, 0, answer) && !(answer == Answer{{soundAction(action), clip, result}}))
        stopFollowing("a sound differs from the recorded one");
}

std::FILE* openDataFile(const char*) {
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
    return fileOfBytes(entry.data, entry.dataSize);
}

int replaceDataFile(const char*, const void* bytes, size_t size) {
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

const BackendTable replayer{
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
