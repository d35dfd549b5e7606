#include "platform/web/audio.h"

#include "platform/platform.h"
#include "platform/regular_file.h"
#include "platform/web/page.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace platform::web {

namespace {

struct Clip {
    bool open = false;
    uint32_t lengthMs = 0;
    bool started = false;
    uint32_t startMs = 0;
};

std::vector<Clip> clips;
int deviceState = 0; // 0 not tried, 1 open, -1 none

uint32_t little(const uint8_t* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

bool readAll(const char* path, std::vector<uint8_t>& bytes) {
    std::FILE* file = openRegularFile(path);
    if (file == nullptr) return false;
    uint8_t buffer[8192];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0 && bytes.size() < (64u << 20))
        bytes.insert(bytes.end(), buffer, buffer + count);
    const bool ok = std::ferror(file) == 0 && bytes.size() < (64u << 20);
    std::fclose(file);
    return ok;
}

// The length in ms (rounded up) of a RIFF WAVE file of 8- or 16-bit PCM, the files the other
// backends' decoder takes; false for anything else.
bool wavLength(const std::vector<uint8_t>& bytes, uint32_t& lengthMs) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return false;
    uint32_t channels = 0, rate = 0, bits = 0, format = 0;
    bool haveFormat = false;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const uint8_t* chunk = bytes.data() + at;
        const uint32_t size = little(chunk + 4, 4);
        const size_t body = at + 8;
        if (size > bytes.size() - body) return false;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
            format = little(chunk + 8, 2);
            channels = little(chunk + 10, 2);
            rate = little(chunk + 12, 4);
            bits = little(chunk + 22, 2);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat || format != 1 || channels == 0 || rate == 0 ||
                (bits != 8 && bits != 16))
                return false;
            const uint64_t frames = size / (channels * (bits / 8));
            lengthMs = uint32_t((frames * 1000 + rate - 1) / rate);
            return true;
        }
        at = body + size + (size & 1);
    }
    return false;
}

Clip* find(int handle) {
    if (handle < 0 || size_t(handle) >= clips.size() || !clips[size_t(handle)].open) return nullptr;
    return &clips[size_t(handle)];
}

} // namespace

int audioOpen(const char* path, int& handle) {
    // The device opens with the first clip, as on the other backends.
    if (deviceState == 0) deviceState = vorbletAudioStart() == 0 ? 1 : -1;
    if (deviceState < 0) return kAudioErrorNoDevice;
    std::vector<uint8_t> bytes;
    uint32_t length = 0;
    if (!readAll(path, bytes) || !wavLength(bytes, length)) return kAudioErrorBadFile;
    handle = int(clips.size());
    clips.push_back(Clip{true, length, false, 0});
    vorbletAudioLoad(handle, bytes.data(), int(bytes.size()));
    return 0;
}

int audioPlay(int handle) {
    Clip* clip = find(handle);
    if (clip == nullptr) return kAudioErrorBadHandle;
    clip->started = true;
    clip->startMs = vorbletGameTicks();
    vorbletAudioPlay(handle);
    return 0;
}

int audioStop(int handle) {
    Clip* clip = find(handle);
    if (clip == nullptr) return kAudioErrorBadHandle;
    clip->started = false;
    vorbletAudioStop(handle);
    return 0;
}

int audioIsPlaying(int handle, int& playing) {
    Clip* clip = find(handle);
    if (clip == nullptr) return kAudioErrorBadHandle;
    playing = clip->started && vorbletGameTicks() - clip->startMs < clip->lengthMs;
    return 0;
}

int audioClose(int handle) {
    Clip* clip = find(handle);
    if (clip == nullptr) return kAudioErrorBadHandle;
    clip->open = false;
    vorbletAudioClose(handle);
    return 0;
}

} // namespace platform::web
