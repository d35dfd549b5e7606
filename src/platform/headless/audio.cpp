#include "platform/headless/audio.h"

#include "platform/headless/state.h"

#include "platform/wav_file.h"

namespace platform::headless {

namespace {

Clip* find(int handle) {
    std::vector<Clip>& clips = state().clips;
    if (handle < 0 || size_t(handle) >= clips.size() || !clips[size_t(handle)].open) return nullptr;
    return &clips[size_t(handle)];
}

} // namespace

int audioOpen(const char* path, int& handle) {
    State& s = state();
    if (s.noSound || s.realClock) return kAudioErrorNoDevice;
    uint32_t length = 0;
    if (int result = openWavFile(path, length); result != 0) return result;
    handle = int(s.clips.size());
    s.clips.push_back(Clip{true, length, false, 0});
    return 0;
}

int audioPlay(int handle) {
    Clip* clip = find(handle);
    if (clip == nullptr) return kAudioErrorBadHandle;
    clip->started = true;
    clip->startMs = gameTime(); // a pause holds the sound with the game
    return 0;
}

int audioStop(int handle) {
    Clip* clip = find(handle);
    if (clip == nullptr) return kAudioErrorBadHandle;
    clip->started = false;
    return 0;
}

int audioIsPlaying(int handle, int& playing) {
    Clip* clip = find(handle);
    if (clip == nullptr) return kAudioErrorBadHandle;
    playing = clip->started && gameTime() - clip->startMs < clip->lengthMs;
    return 0;
}

int audioClose(int handle) {
    Clip* clip = find(handle);
    if (clip == nullptr) return kAudioErrorBadHandle;
    clip->open = false;
    return 0;
}

void traceSound(const char* action, int clip, int result) {
    writeTrace("sound %s %d %d", action, clip, result);
    // Only a test's probe reads this list; a long scripted run must not keep every line.
    if (state().probe)
        state().soundEvents.push_back(std::string(action) + " " + std::to_string(clip) + " " +
                                      std::to_string(result));
}

} // namespace platform::headless
