#pragma once
// The recording file's building blocks, shared by its writer, its reader and the fuzzer: the
// magic word, the kinds of seam calls, the entry codes, the header, and the byte-level helpers.
// docs/replay-format.md describes the whole file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::record {

constexpr char kMagic[8] = {'V', 'O', 'R', 'B', 'R', 'E', 'C', '\x1A'};
constexpr uint16_t kFormatVersion = 1;
// More than any session makes; a bigger file is refused before it is read.
constexpr size_t kMaxFileBytes = size_t(256) << 20;
constexpr size_t kMaxBlockBytes = size_t(16) << 20;
// A score file larger than this is recorded by its start only, which is all the game reads.
constexpr size_t kMaxDataBytes = 65536;

// Every seam call the game thread makes, each of which takes one answer from the recording.
enum Kind : uint8_t {
    kTick,         // the tick count: its change since the last reading
    kKey,          // a key's state, 0 or 1, per key
    kJoystick,     // result, x, buttons
    kCursor,       // the cursor's x
    kAudioOpen,    // result, handle
    kAudioPlay,    // result, per handle
    kAudioStop,    // result, per handle
    kAudioPlaying, // result, playing, per handle
    kAudioClose,   // result, per handle
    kDataOpen,     // the score file's bytes, or the error of its open
    kDataReplace,  // result
    kSleep,        // how far the backend's session clock moved on since the last sleep or poll
    kPolled,       // the same, for a poll of the buttons
    kPresent,      // check: the low 32 bits of the window picture's hash after the write
    kReadWindow,   // no answer
    kSound,        // check: action, clip, result of a traced sound operation
    kBox,          // check: a hash of the box's title and text
    kSendDestroy,  // no answer
    kKindCount
};

// How many numbers follow a value entry of each kind (the score file's entry has its own form).
int fieldCount(Kind kind);

// Entry codes: 0x00 to 0x1F a value of that kind; 0x40 to 0x7F a run of 1 to 64 calls answered
// as the last call of their kind did; then the longer run, the close and the end.
constexpr uint8_t kRunShort = 0x40;
constexpr uint32_t kRunShortMax = 64;
constexpr uint8_t kRunLong = 0x80;
constexpr uint8_t kClose = 0x81;
constexpr uint8_t kEnd = 0x82;

enum class Recorder : uint8_t { window = 0, headless = 1 };

struct AssetSum {
    std::string path;
    bool present = false;
    uint64_t size = 0;
    uint64_t hash = 0;
    bool operator==(const AssetSum&) const = default;
};

struct Header {
    uint16_t format = kFormatVersion;
    std::string gameVersion;
    Recorder recorder = Recorder::window;
    std::vector<AssetSum> assets;
};

// The checksum of a file's contents the header keeps (64-bit FNV-1a), and of a box's text.
uint64_t hashBytes(const uint8_t* bytes, size_t size, uint64_t hash = 0xcbf29ce484222325ull);

uint32_t crc32(const uint8_t* bytes, size_t size);

void putVarint(std::vector<uint8_t>& out, uint64_t value);
void putSigned(std::vector<uint8_t>& out, int64_t value);
void putU32(std::vector<uint8_t>& out, uint32_t value);
// Each reads one value at `at` without passing `end`, moving `at` past it; false when the bytes
// end first or the value is malformed.
bool getVarint(const uint8_t*& at, const uint8_t* end, uint64_t& value);
bool getSigned(const uint8_t*& at, const uint8_t* end, int64_t& value);
bool getU32(const uint8_t*& at, const uint8_t* end, uint32_t& value);

std::vector<uint8_t> encodeHeader(const Header& header);

} // namespace platform::record
