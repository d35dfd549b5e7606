#include "platform/wav_length.h"

#include "platform/platform.h"
#include "platform/system/regular_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {

namespace {

constexpr size_t kMostWavBytes = size_t(64) << 20;

uint32_t le32(const uint8_t* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

uint16_t le16(const uint8_t* at) {
    return uint16_t(at[0] | at[1] << 8);
}

// The frame's size in bytes, or 0 for an encoding or a shape no device plays as it is.
uint32_t frameBytes(const uint8_t* format, uint32_t formatSize) {
    if (formatSize < 16) return 0;
    uint16_t tag = le16(format);
    const uint32_t channels = le16(format + 2);
    const uint32_t bits = le16(format + 14);
    // The extensible header names its encoding by the first two bytes of its subformat.
    if (tag == 0xFFFE && formatSize >= 40) tag = le16(format + 24);
    const bool pcm = tag == 1 && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
    const bool floats = tag == 3 && (bits == 32 || bits == 64);
    const bool companded = (tag == 6 || tag == 7) && bits == 8;
    if (!(pcm || floats || companded) || channels == 0) return 0;
    return channels * (bits / 8);
}

} // namespace

int wavLength(const uint8_t* bytes, size_t size, uint32_t& lengthMs) {
    if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return kAudioErrorBadFile;
    uint32_t frame = 0, rate = 0;
    bool formatSeen = false;
    for (size_t at = 12; at + 8 <= size;) {
        const uint8_t* chunk = bytes + at;
        const uint32_t declared = le32(chunk + 4);
        // A chunk cut short holds what the file has of it.
        const size_t held = std::min<size_t>(declared, size - at - 8);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            frame = frameBytes(chunk + 8, uint32_t(held));
            rate = held >= 8 ? le32(chunk + 12) : 0;
            if (frame == 0 || rate == 0) return kAudioErrorBadFile;
            formatSeen = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!formatSeen) return kAudioErrorBadFile;
            const uint64_t frames = held / frame;
            lengthMs = uint32_t(std::min<uint64_t>((frames * 1000 + rate - 1) / rate, UINT32_MAX));
            return 0;
        }
        at += 8 + size_t(declared) + (declared & 1);
    }
    return kAudioErrorBadFile;
}

int wavFileLength(const char* path, uint32_t& lengthMs) {
    std::FILE* file = openRegularFile(path);
    std::vector<uint8_t> bytes;
    if (file == nullptr || !readToEnd(file, kMostWavBytes, bytes)) return kAudioErrorBadFile;
    return wavLength(bytes.data(), bytes.size(), lengthMs);
}

} // namespace platform
