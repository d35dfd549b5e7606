#include "platform/wav_file.h"
#include "platform/sdl/wav_source.h"

#include "platform/platform.h"
#include "platform/system/regular_file.h"

#include <SDL.h>

#include <algorithm>

namespace platform {

int openWavSource(const char* path, uint32_t& lengthMs, SDL_RWops*& source) {
    std::FILE* file = openRegularFile(path);
    if (file == nullptr) return kAudioErrorBadFile;
    SDL_RWops* rw = SDL_RWFromFP(file, SDL_TRUE);
    if (rw == nullptr) {
        std::fclose(file);
        return kAudioErrorBadFile;
    }
    // SDL's own decoder judges the file, as it does inside the mixer, and needs no device; the
    // length is that of the samples it would hand the device.
    SDL_AudioSpec spec;
    Uint8* samples = nullptr;
    Uint32 bytes = 0;
    if (SDL_LoadWAV_RW(rw, 0, &spec, &samples, &bytes) == nullptr) {
        SDL_RWclose(rw);
        return kAudioErrorBadFile;
    }
    SDL_FreeWAV(samples);
    const uint64_t byteRate =
        uint64_t(spec.freq) * spec.channels * (SDL_AUDIO_BITSIZE(spec.format) / 8);
    if (byteRate == 0 || SDL_RWseek(rw, 0, RW_SEEK_SET) != 0) {
        SDL_RWclose(rw);
        return kAudioErrorBadFile;
    }
    lengthMs = uint32_t(
        std::min<uint64_t>((uint64_t(bytes) * 1000 + byteRate - 1) / byteRate, UINT32_MAX));
    source = rw;
    return 0;
}

int openWavFile(const char* path, uint32_t& lengthMs) {
    SDL_RWops* source = nullptr;
    const int result = openWavSource(path, lengthMs, source);
    if (result == 0) SDL_RWclose(source);
    return result;
}

} // namespace platform
