#include "platform/headless/audio.h"

#include "platform/headless/state.h"

#include "platform/trace_file.h"
#include "platform/wav_file.h"

namespace platform::headless {

int audioOpen(const char* path, int& handle) {
    State& s = state();
    if (s.noSound || s.realClock) return kAudioErrorNoDevice;
    uint32_t length = 0;
    if (int result = openWavFile(path, length); result != 0) return result;
    handle = openTimedClip(s.clips, length);
    return 0;
}

// A pause holds the sound with the game: clips count on the game's time.
int audioPlay(int handle) {
    return playTimedClip(state().clips, handle, gameTime());
}

int audioStop(int handle) {
    return stopTimedClip(state().clips, handle);
}

int audioIsPlaying(int handle, int& playing) {
    return timedClipPlaying(state().clips, handle, gameTime(), playing);
}

int audioClose(int handle) {
    return closeTimedClip(state().clips, handle);
}

void traceSound(const char* action, int clip, int result) {
    traceSoundEvent(state().trace, state().clock, action, clip, result);
    // Only a test's probe reads this list; a long scripted run must not keep every line.
    if (state().probe)
        state().soundEvents.push_back(std::string(action) + " " + std::to_string(clip) + " " +
                                      std::to_string(result));
}

} // namespace platform::headless
