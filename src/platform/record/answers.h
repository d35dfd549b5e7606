#pragma once
// The answers of a recording, on both sides of the file: the writer turns each call's answer
// into an entry (only counting a call answered as the last one of its kind was), and the cursor
// turns the entries back into the same answers in the same order.
#include "platform/record/reader.h"
#include "platform/system/staged_file.h"

#include <string>
#include <unordered_map>

namespace platform::record {

struct Answer {
    int64_t v[3] = {};
    bool operator==(const Answer&) const = default;
};

// The last answer for each kind of call and its argument (a key, a clip's handle).
using AnswerMemory = std::unordered_map<uint64_t, Answer>;
Answer& lastAnswer(AnswerMemory& memory, Kind kind, int64_t argument);

struct Writer {
    StagedFile file;            // renamed onto the recording's path at the end
    std::vector<uint8_t> block; // entries not yet written out
    uint64_t run = 0;           // calls answered as before, not yet written
    AnswerMemory memory;
    bool failed = false;
};

// Writes the header to a new temporary beside path, which closeWriter renames onto path, so that
// a recording that fails or is refused leaves the old file as it was. False (reason on stderr)
// when path is anything but a new name or a regular file of this user's, or is one of `kept`
// (the game's own files, compared as files, whatever names reach them).
bool openWriter(Writer& writer, const char* path, const Header& header,
                const std::vector<std::string>& kept = {});
void writeAnswer(Writer& writer, Kind kind, int64_t argument, const Answer& answer);
// The score file as the game got it: its bytes, or the error its open failed with.
void writeDataOpen(Writer& writer, int error, const uint8_t* bytes, size_t size);
void writeClose(Writer& writer);
void writeEnd(Writer& writer, int exitCode, int64_t sessionMoved);
// Writes the pending entries as one block and hands them to the system. A block that cannot be
// written whole is cut off again and ends the recording, which keeps the blocks before it.
void flushBlock(Writer& writer);
// Writes what is pending and renames the temporary onto the recording's path.
void closeWriter(Writer& writer);
// Drops the recording, leaving the file at its path as it was.
void discardWriter(Writer& writer);

struct Cursor {
    const uint8_t* at = nullptr;
    const uint8_t* end = nullptr;
    uint64_t runLeft = 0;
    AnswerMemory memory;
    uint64_t taken = 0; // answers given so far
};

enum class Take { answered, ranOut, mismatch };

void startCursor(Cursor& cursor, const Recording& recording);
// The next answer, for a call of this kind and argument. For the score file, data holds the
// entry with its bytes.
Take takeAnswer(Cursor& cursor, Kind kind, int64_t argument, Answer& answer, Entry* data = nullptr);
// True, and past it, when a close comes next.
bool takeClose(Cursor& cursor);
// True, with the entry, when the end comes next.
bool peekEnd(const Cursor& cursor, Entry& entry);
// Decodes every entry, then answers calls of every kind in turn, as a game that no longer follows
// the recording would make them, until the recording stops answering: whatever the entries hold,
// nothing outside them is read. False when an entry does not decode. For the fuzzer and its
// corpus test.
bool walkRecording(const Recording& recording);

} // namespace platform::record
