#include "platform/sdl/audio.h"

#include "platform/platform.h"
#include "platform/sdl/wav_source.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <vector>

namespace platform::sdl {

namespace {

// Each clip owns one mixing channel, so a clip never overlaps itself and different clips mix.
// Never destroyed: the game's global clips close themselves at exit, after ordinary statics.
std::vector<Mix_Chunk*>& chunks = *new std::vector<Mix_Chunk*>;
std::atomic<bool> deviceOpen{false};
std::atomic<bool> audioPaused{false};
std::atomic<bool> audioMuted{false};

Mix_Chunk* find(int handle) {
    if (handle < 0 || size_t(handle) >= chunks.size()) return nullptr;
    return chunks[size_t(handle)];
}

} // namespace

int audioOpen(const char* path, int& handle) {
    // The device opens with the first clip, as the media interface of old did.
    if (!deviceOpen) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return kAudioErrorNoDevice;
        if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return kAudioErrorNoDevice;
        }
        deviceOpen = true;
    }
    // The mixer gets only a regular file that SDL decodes as WAV audio, the files the headless
    // backend takes: left to itself it would also take other formats, and wait on a FIFO.
    SDL_RWops* source = nullptr;
    uint32_t lengthMs = 0;
    if (openWavSource(path, lengthMs, source) != 0) return kAudioErrorBadFile;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(source, 1);
    if (chunk == nullptr) return kAudioErrorBadFile;
    handle = int(chunks.size());
    chunks.push_back(chunk);
    Mix_AllocateChannels(int(chunks.size()));
    return 0;
}

int audioPlay(int handle) {
    Mix_Chunk* chunk = find(handle);
    if (chunk == nullptr) return kAudioErrorBadHandle;
    Mix_Volume(handle, audioMuted ? 0 : MIX_MAX_VOLUME);
    if (Mix_PlayChannel(handle, chunk, 0) != handle) return kAudioErrorNoDevice;
    // A clip started as the pause begins waits with the others.
    if (audioPaused) Mix_Pause(handle);
    return 0;
}

int audioStop(int handle) {
    if (find(handle) == nullptr) return kAudioErrorBadHandle;
    Mix_HaltChannel(handle);
    return 0;
}

int audioIsPlaying(int handle, int& playing) {
    if (find(handle) == nullptr) return kAudioErrorBadHandle;
    playing = Mix_Playing(handle) != 0;
    return 0;
}

int audioClose(int handle) {
    Mix_Chunk* chunk = find(handle);
    if (chunk == nullptr) return kAudioErrorBadHandle;
    Mix_HaltChannel(handle);
    Mix_FreeChunk(chunk);
    chunks[size_t(handle)] = nullptr;
    return 0;
}

void pauseAudio(bool paused) {
    audioPaused = paused;
    if (!deviceOpen) return;
    if (paused)
        Mix_Pause(-1);
    else
        Mix_Resume(-1);
}

void muteAudio(bool muted) {
    audioMuted = muted;
    if (deviceOpen) Mix_Volume(-1, muted ? 0 : MIX_MAX_VOLUME);
}

} // namespace platform::sdl
