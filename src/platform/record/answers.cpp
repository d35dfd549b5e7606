#include "platform/record/answers.h"

#include "platform/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::record {

Answer& lastAnswer(AnswerMemory& memory, Kind kind, int64_t argument) {
    return memory[uint64_t(kind) << 56 ^ uint64_t(argument)];
}

namespace {

void refuse(const std::string& path, const char* why) {
    std::fprintf(stderr, "vorblet: cannot write the recording %s: %s\n", path.c_str(), why);
}

// Why the recording may not take the place of what is at path, or null when it may: a new name,
// or a regular file of this user's that is none of the game's own. Nothing there is opened, so
// a FIFO or a device never blocks the game.
const char* refusal(const std::string& path, const std::vector<std::string>& kept, struct stat& old,
                    bool& exists) {
    exists = false;
    if (lstat(path.c_str(), &old) != 0) return errno == ENOENT ? nullptr : std::strerror(errno);
    exists = true;
    if (S_ISLNK(old.st_mode)) return "it is a symbolic link";
    if (!S_ISREG(old.st_mode)) return "it is not a regular file";
    if (old.st_uid != geteuid()) return "it belongs to another user";
    for (const std::string& name : kept) {
        struct stat own;
        if (stat(name.c_str(), &own) == 0 && own.st_dev == old.st_dev && own.st_ino == old.st_ino)
            return "it is one of the game's own files";
    }
    return nullptr;
}

} // namespace

bool openWriter(Writer& writer, const char* path, const Header& header,
                const std::vector<std::string>& kept) {
    writer = Writer{};
    struct stat old;
    bool exists = false;
    if (const char* why = refusal(path, kept, old, exists)) {
        refuse(path, why);
        return false;
    }
    std::string temporary;
    const int file = createTemporary(std::string(path) + ".", temporary);
    if (file < 0) {
        refuse(path, std::strerror(errno));
        return false;
    }
    const std::vector<uint8_t> bytes = encodeHeader(header);
    // A recording that takes an old one's place keeps its mode.
    if ((exists && fchmod(file, old.st_mode & 0777) != 0) ||
        !writeAll(file, bytes.data(), bytes.size())) {
        refuse(path, std::strerror(errno));
        close(file);
        unlink(temporary.c_str());
        return false;
    }
    writer.file = file;
    writer.path = path;
    writer.temporary = temporary;
    writer.whole = off_t(bytes.size());
    writer.kept = kept;
    return true;
}

namespace {

void putRun(Writer& writer) {
    if (writer.run == 0) return;
    if (writer.run <= kRunShortMax) {
        writer.block.push_back(uint8_t(kRunShort + writer.run - 1));
    } else {
        writer.block.push_back(kRunLong);
        putVarint(writer.block, writer.run);
    }
    writer.run = 0;
}

} // namespace

void writeAnswer(Writer& writer, Kind kind, int64_t argument, const Answer& answer) {
    Answer& last = lastAnswer(writer.memory, kind, argument);
    if (answer == last) {
        ++writer.run;
        return;
    }
    putRun(writer);
    writer.block.push_back(uint8_t(kind));
    for (int i = 0; i < fieldCount(kind); ++i) {
        // A tick count is kept as its step from the last one: a few ms, where the count is large.
        int64_t value = answer.v[i];
        if (kind == kTick) value = int32_t(uint32_t(answer.v[0]) - uint32_t(last.v[0]));
        putSigned(writer.block, value);
    }
    last = answer;
}

void writeDataOpen(Writer& writer, int error, const uint8_t* bytes, size_t size) {
    putRun(writer);
    writer.block.push_back(uint8_t(kDataOpen));
    putSigned(writer.block, error);
    putVarint(writer.block, size);
    writer.block.insert(writer.block.end(), bytes, bytes + size);
}

void writeClose(Writer& writer) {
    putRun(writer);
    writer.block.push_back(kClose);
}

void writeEnd(Writer& writer, int exitCode, int64_t sessionMoved) {
    putRun(writer);
    writer.block.push_back(kEnd);
    putSigned(writer.block, exitCode);
    putSigned(writer.block, sessionMoved);
}

void flushBlock(Writer& writer) {
    putRun(writer);
    if (writer.file < 0 || writer.failed || writer.block.empty()) {
        writer.block.clear();
        return;
    }
    std::vector<uint8_t> framed;
    putVarint(framed, writer.block.size());
    framed.insert(framed.end(), writer.block.begin(), writer.block.end());
    putU32(framed, crc32(writer.block.data(), writer.block.size()));
    writer.block.clear();
    if (writeAll(writer.file, framed.data(), framed.size())) {
        writer.whole += off_t(framed.size());
        return;
    }
    const int error = errno;
    writer.failed = true;
    if (ftruncate(writer.file, writer.whole) == 0)
        std::fprintf(stderr,
                     "vorblet: the recording %s stops here (%s); it keeps what was written "
                     "before\n",
                     writer.path.c_str(), std::strerror(error));
    else
        std::fprintf(stderr, "vorblet: the recording %s could not be written to the end: %s\n",
                     writer.path.c_str(), std::strerror(error));
}

void closeWriter(Writer& writer) {
    flushBlock(writer);
    if (writer.file < 0) return;
    const bool closed = close(writer.file) == 0;
    writer.file = -1;
    if (!closed && !writer.failed)
        std::fprintf(stderr, "vorblet: the recording %s could not be written to the end: %s\n",
                     writer.path.c_str(), std::strerror(errno));
    // What is at the path may have changed while the game ran.
    struct stat old;
    bool exists = false;
    const char* why = refusal(writer.path, writer.kept, old, exists);
    if (why == nullptr && rename(writer.temporary.c_str(), writer.path.c_str()) != 0)
        why = std::strerror(errno);
    if (why != nullptr)
        std::fprintf(stderr, "vorblet: cannot write the recording %s: %s; it is left in %s\n",
                     writer.path.c_str(), why, writer.temporary.c_str());
}

void discardWriter(Writer& writer) {
    if (writer.file < 0) return;
    close(writer.file);
    unlink(writer.temporary.c_str());
    writer = Writer{};
}

void startCursor(Cursor& cursor, const Recording& recording) {
    cursor = Cursor{};
    cursor.at = recording.entries.data();
    cursor.end = cursor.at + recording.entries.size();
}

Take takeAnswer(Cursor& cursor, Kind kind, int64_t argument, Answer& answer, Entry* data) {
    Answer& last = lastAnswer(cursor.memory, kind, argument);
    if (cursor.runLeft > 0) {
        if (kind == kDataOpen) return Take::mismatch;
        --cursor.runLeft;
        ++cursor.taken;
        answer = last;
        return Take::answered;
    }
    const uint8_t* at = cursor.at;
    Entry entry;
    if (at >= cursor.end) return Take::ranOut;
    if (!decodeEntry(at, cursor.end, entry)) return Take::mismatch;
    if (entry.type == Entry::end) return Take::ranOut;
    if (entry.type == Entry::close) return Take::mismatch;
    cursor.at = at;
    if (entry.type == Entry::run) {
        cursor.runLeft = entry.count;
        return takeAnswer(cursor, kind, argument, answer, data);
    }
    if (entry.kind != kind) return Take::mismatch;
    ++cursor.taken;
    if (kind == kDataOpen) {
        if (data != nullptr) *data = entry;
        return Take::answered;
    }
    for (int i = 0; i < 3; ++i)
        answer.v[i] = entry.fields[i];
    if (kind == kTick) answer.v[0] = uint32_t(uint32_t(last.v[0]) + uint32_t(entry.fields[0]));
    last = answer;
    return Take::answered;
}

bool takeClose(Cursor& cursor) {
    const uint8_t* at = cursor.at;
    Entry entry;
    if (cursor.runLeft > 0 || !decodeEntry(at, cursor.end, entry) || entry.type != Entry::close)
        return false;
    cursor.at = at;
    return true;
}

bool peekEnd(const Cursor& cursor, Entry& entry) {
    const uint8_t* at = cursor.at;
    return cursor.runLeft == 0 && decodeEntry(at, cursor.end, entry) && entry.type == Entry::end;
}

bool walkRecording(const Recording& recording) {
    bool decoded = true;
    const uint8_t* at = recording.entries.data();
    const uint8_t* end = at + recording.entries.size();
    while (at < end) {
        Entry entry;
        if (!decodeEntry(at, end, entry)) {
            decoded = false;
            break;
        }
    }
    Cursor cursor;
    startCursor(cursor, recording);
    for (int call = 0; call < 100000; ++call) {
        Answer answer;
        Entry entry;
        if (takeAnswer(cursor, Kind(call % kKindCount), call % 3, answer, &entry) != Take::answered)
            break;
        takeClose(cursor);
    }
    return decoded;
}

} // namespace platform::record
