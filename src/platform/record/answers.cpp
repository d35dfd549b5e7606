#include "platform/record/answers.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace platform::record {

Answer& lastAnswer(AnswerMemory& memory, Kind kind, int64_t argument) {
    return memory[uint64_t(kind) << 56 ^ uint64_t(argument)];
}

namespace {

void refuse(const char* path, const char* why) {
    std::fprintf(stderr, "vorblet: cannot write the recording %s: %s\n", path, why);
}

} // namespace

bool openWriter(Writer& writer, const char* path, const Header& header,
                const std::vector<std::string>& kept) {
    writer = Writer{};
    if (const char* why = openStaged(writer.file, path, kept)) {
        refuse(path, why);
        return false;
    }
    const std::vector<uint8_t> bytes = encodeHeader(header);
    bool cutBack = false;
    if (!appendStaged(writer.file, bytes.data(), bytes.size(), cutBack)) {
        refuse(path, std::strerror(errno));
        dropStaged(writer.file);
        return false;
    }
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
    if (writer.file.fd < 0 || writer.failed || writer.block.empty()) {
        writer.block.clear();
        return;
    }
    std::vector<uint8_t> framed;
    putVarint(framed, writer.block.size());
    framed.insert(framed.end(), writer.block.begin(), writer.block.end());
    putU32(framed, crc32(writer.block.data(), writer.block.size()));
    writer.block.clear();
    bool cutBack = false;
    if (appendStaged(writer.file, framed.data(), framed.size(), cutBack)) return;
    writer.failed = true;
    if (cutBack)
        std::fprintf(stderr,
                     "vorblet: the recording %s stops here (%s); it keeps what was written "
                     "before\n",
                     writer.file.path.c_str(), std::strerror(errno));
    else
        std::fprintf(stderr, "vorblet: the recording %s could not be written to the end: %s\n",
                     writer.file.path.c_str(), std::strerror(errno));
}

void closeWriter(Writer& writer) {
    flushBlock(writer);
    if (writer.file.fd < 0) return;
    int closeError = 0;
    const char* why = commitStaged(writer.file, closeError);
    if (closeError != 0 && !writer.failed)
        std::fprintf(stderr, "vorblet: the recording %s could not be written to the end: %s\n",
                     writer.file.path.c_str(), std::strerror(closeError));
    if (why != nullptr)
        std::fprintf(stderr, "vorblet: cannot write the recording %s: %s; it is left in %s\n",
                     writer.file.path.c_str(), why, writer.file.temporary.c_str());
}

void discardWriter(Writer& writer) {
    if (writer.file.fd < 0) return;
    dropStaged(writer.file);
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
