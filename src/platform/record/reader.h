#pragma once
// Reading a recording: the whole file is checked (header, every block's length and checksum,
// every entry) before anything runs, so a replay never meets a damaged answer halfway.
#include "platform/record/format.h"

namespace platform::record {

struct Entry {
    enum Type { value, run, close, end } type = value;
    Kind kind = kTick;
    uint64_t count = 0;     // a run's length
    int64_t fields[3] = {}; // a value's numbers; the score file's error, or 0; the end's code
    const uint8_t* data = nullptr; // the score file's bytes
    size_t dataSize = 0;
};

// One entry at `at`, never reading at or past `end`; false when it is malformed or cut short.
bool decodeEntry(const uint8_t*& at, const uint8_t* end, Entry& entry);

struct Recording {
    Header header;
    std::vector<uint8_t> entries; // the blocks' entries, one after another
    bool ended = false;           // false for a recording cut short by a crash
};

// 1 with the recording, or 0 with what is wrong with it in `error`. A file that stops at a
// block's end without the end entry is whole as far as it goes: a crash leaves just that.
int parseRecording(const uint8_t* bytes, size_t size, Recording& out, std::string& error);

} // namespace platform::record
