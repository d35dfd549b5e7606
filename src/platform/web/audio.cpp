#include "platform/web/audio.h"

#include "platform/platform.h"
#include "platform/system/regular_file.h"
#include "platform/timed_clips.h"
#include "platform/web/page.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace platform::web {

namespace {

TimedClips clips;
int deviceState = 0; // 0 not tried, 1 open, -1 none

uint32_t little(const uint8_t* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

bool readAll(const char* path, std::vector<uint8_t>& bytes) {
    std::FILE* file = openRegularFile(path);
    return file != nullptr && readToEnd(file, (64u << 20) - 1, bytes);
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

} // namespace

int audioOpen(const char* path, int& handle) {
    // The device opens with the first clip, as on the other backends.
    if (deviceState == 0) deviceState = vorbletAudioStart() == 0 ? 1 : -1;
    if (deviceState < 0) return kAudioErrorNoDevice;
    std::vector<uint8_t> bytes;
    uint32_t length = 0;
    if (!readAll(path, bytes) || !wavLength(bytes, length)) return kAudioErrorBadFile;
    handle = openTimedClip(clips, length);
    vorbletAudioLoad(handle, bytes.data(), int(bytes.size()));
    return 0;
}

int audioPlay(int handle) {
    const int result = playTimedClip(clips, handle, vorbletGameTicks());
    if (result == 0) vorbletAudioPlay(handle);
    return result;
}

int audioStop(int handle) {
    const int result = stopTimedClip(clips, handle);
    if (result == 0) vorbletAudioStop(handle);
    return result;
}

int audioIsPlaying(int handle, int& playing) {
    return timedClipPlaying(clips, handle, vorbletGameTicks(), playing);
}

int audioClose(int handle) {
    const int result = closeTimedClip(clips, handle);
    if (result == 0) vorbletAudioClose(handle);
    return result;
}

} // namespace platform::web
