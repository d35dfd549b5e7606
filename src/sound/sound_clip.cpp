#include "sound/sound_clip.h"

#include "platform/platform.h"
#include "platform/system/game_files.h"

namespace {

int32_t soundError = 0;

// Every open, play, stop and close is traced with the result the game saw.
int traced(const char* action, const QUORINSound& clip, int result) {
    platform::traceSound(action, clip.number, result);
    return result;
}

} // namespace

int32_t currentSoundError() {
    return soundError;
}

void clearSoundError() {
    soundError = 0;
}

int clipNumberOf(const char* path) {
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p)
        if (*p == '/' || *p == '\\') name = p + 1;
    int number = 0;
    for (; *name >= '0' && *name <= '9'; ++name)
        number = number * 10 + (*name - '0');
    return number;
}

QUORINSound::~QUORINSound() {
    if (deviceId != 0) close();
}

int QUORINSound::open(const char* file) {
    // A closed clip takes the path even when nothing is sent, so the trace can name it later;
    // an open one keeps its own.
    if (deviceId == 0) {
        path = file;
        number = clipNumberOf(file);
    }
    if (soundError != 0) return traced("open", *this, soundError);
    if (deviceId != 0) return traced("open", *this, -1);
    int handle = 0;
    soundError = platform::audioOpen(platform::gameFilePath(file).c_str(), handle);
    if (soundError == 0) deviceId = static_cast<uint32_t>(handle) + 1;
    return traced("open", *this, soundError);
}

int QUORINSound::play() {
    if (soundError != 0) return traced("play", *this, soundError);
    if (deviceId == 0) return traced("play", *this, -1);
    soundError = platform::audioPlay(static_cast<int>(deviceId - 1));
    return traced("play", *this, soundError);
}

int QUORINSound::isPlaying() {
    if (soundError != 0) return soundError;
    if (deviceId == 0) return -1;
    int playing = 0;
    soundError = platform::audioIsPlaying(static_cast<int>(deviceId - 1), playing);
    if (soundError != 0) return 0;
    return playing != 0 ? 1 : 0;
}

int QUORINSound::stop() {
    if (soundError != 0) return traced("stop", *this, soundError);
    if (deviceId == 0) return traced("stop", *this, -1);
    soundError = platform::audioStop(static_cast<int>(deviceId - 1));
    return traced("stop", *this, soundError);
}

int QUORINSound::close() {
    if (soundError != 0) return traced("close", *this, soundError);
    if (deviceId == 0) return traced("close", *this, -1);
    soundError = platform::audioClose(static_cast<int>(deviceId - 1));
    if (soundError == 0) deviceId = 0;
    return traced("close", *this, soundError);
}
