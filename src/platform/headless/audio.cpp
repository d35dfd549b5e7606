#include "platform/headless/audio.h"

#include "platform/headless/state.h"

#include <fstream>
#include <iterator>

namespace platform::headless {

namespace {

uint32_t read32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}

// The length of a PCM WAV file in ms, or 0 when the file is not one a device would play.
uint32_t wavLengthMs(const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return 0;
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    if (b.size() < 12 || read32(b, 0) != 0x46464952 || read32(b, 8) != 0x45564157) return 0;
    uint32_t byteRate = 0, dataBytes = 0;
    bool haveFormat = false, haveData = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        uint32_t id = read32(b, at), size = read32(b, at + 4);
        size_t body = at + 8;
        if (size > b.size() - body) return 0;
        if (id == 0x20746d66 && size >= 16) { // "fmt "
            uint16_t format = uint16_t(b[body] | b[body + 1] << 8);
            byteRate = read32(b, body + 8);
            haveFormat = format == 1 && byteRate != 0;
        } else if (id == 0x61746164) { // "data"
            dataBytes = size;
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (!haveFormat || !haveData || dataBytes == 0) return 0;
    return uint32_t((uint64_t(dataBytes) * 1000 + byteRate - 1) / byteRate);
}

Clip* find(int handle) {
    std::vector<Clip>& clips = state().clips;
    if (handle < 0 || size_t(handle) >= clips.size() || !clips[size_t(handle)].open) return nullptr;
    return &clips[size_t(handle)];
}

} // namespace

int audioOpen(const char* path, int& handle) {
    State& s = state();
    if (s.noSound || s.realClock) return kAudioErrorNoDevice;
    uint32_t length = wavLengthMs(path);
    if (length == 0) return kAudioErrorBadFile;
    handle = int(s.clips.size());
    s.clips.push_back(Clip{true, length, false, 0});
    return 0;
}

int audioPlay(int handle) {
    Clip* clip = find(handle);
    if (clip == nullptr) return kAudioErrorBadHandle;
    clip->started = true;
    clip->startMs = state().clock;
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
    playing = clip->started && state().clock - clip->startMs < clip->lengthMs;
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
