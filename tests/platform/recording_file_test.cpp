// The recording file on its own: what the writer puts down comes back from the reader in the
// same order, and a file cut anywhere is refused or, cut where a crash would cut it, kept.
#include "platform/record/answers.h"
#include "platform/record/reader.h"
#include "support/files.h"
#include "support/game_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace fs = std::filesystem;
using namespace platform::record;

namespace {

struct Call {
    Kind kind;
    int64_t argument;
    Answer answer;
};

// A few seconds of a game's calls: steady frames with a key pressed now and then, a tick count
// that wraps, a clip's state, the score file's bytes; a block written out every 30 frames.
struct Written {
    std::vector<Call> calls;
    std::vector<size_t> blockEnds; // file sizes after each block
    std::vector<uint8_t> scores{0x1e, 0, 0, 0, 0x0d, 0x0a, 0, 0};
    fs::path path;
};

Written writeSession(const fs::path& folder) {
    Written w;
    w.path = folder / "session.rec";
    Header header;
    header.gameVersion = "1.0.5";
    header.recorder = Recorder::headless;
    header.assets = {{"BMP/128.bmp", true, 1234, 0x0123456789abcdefull},
                     {"wav/140.wav", false, 0, 0}};
    Writer writer;
    EXPECT_TRUE(openWriter(writer, w.path.c_str(), header));
    w.blockEnds.push_back(size_t(writer.file.whole));
    writeDataOpen(writer, 0, w.scores.data(), w.scores.size());
    uint32_t tick = 0xFFFFF000u;
    for (int frame = 0; frame < 200; ++frame) {
        tick += frame % 7 == 0 ? 34 : 33;
        const std::vector<Call> calls = {
            {kTick, 0, {{tick}}},
            {kKey, 0x27, {{frame >= 50 && frame < 80 ? 1 : 0}}},
            {kKey, 0x25, {{0}}},
            {kJoystick, 0, {{frame < 100 ? 1 : 0, frame < 100 ? 0 : 40000 + frame, 0}}},
            {kAudioPlaying, 3, {{0, frame % 40 < 20 ? 1 : 0}}},
            {kPresent, 0, {{frame % 10 < 5 ? 77 : 1000 + frame}}},
            {kSleep, 0, {{33}}},
        };
        for (const Call& call : calls) {
            writeAnswer(writer, call.kind, call.argument, call.answer);
            w.calls.push_back(call);
        }
        if (frame % 30 == 29) {
            flushBlock(writer);
            w.blockEnds.push_back(size_t(writer.file.whole));
        }
    }
    writeAnswer(writer, kDataReplace, 0, {{1}});
    w.calls.push_back({kDataReplace, 0, {{1}}});
    writeClose(writer);
    writeEnd(writer, 0, 5);
    closeWriter(writer);
    return w;
}

TEST(RecordingFile, EveryAnswerComesBackInOrderAndRepeatsCostNearlyNothing) {
    const Written w = writeSession(makeGameFolder("session"));
    const std::vector<uint8_t> bytes = readBytes(w.path);
    Recording recording;
    std::string error;
    ASSERT_EQ(parseRecording(bytes.data(), bytes.size(), recording, error), 1) << error;
    EXPECT_TRUE(recording.ended);
    EXPECT_EQ(recording.header.gameVersion, "1.0.5");
    ASSERT_EQ(recording.header.assets.size(), 2u);
    EXPECT_EQ(recording.header.assets[0].hash, 0x0123456789abcdefull);
    EXPECT_FALSE(recording.header.assets[1].present);

    Cursor cursor;
    startCursor(cursor, recording);
    Answer answer;
    Entry data;
    ASSERT_EQ(takeAnswer(cursor, kDataOpen, 0, answer, &data), Take::answered);
    EXPECT_EQ(std::vector<uint8_t>(data.data, data.data + data.dataSize), w.scores);
    for (size_t i = 0; i < w.calls.size(); ++i) {
        const Call& call = w.calls[i];
        ASSERT_EQ(takeAnswer(cursor, call.kind, call.argument, answer), Take::answered) << i;
        ASSERT_EQ(answer, call.answer) << "call " << i << " of kind " << int(call.kind);
    }
    EXPECT_TRUE(takeClose(cursor));
    Entry end;
    ASSERT_TRUE(peekEnd(cursor, end));
    EXPECT_EQ(end.fields[1], 5);
    EXPECT_EQ(takeAnswer(cursor, kTick, 0, answer), Take::ranOut);
    // 1400 calls in 200 frames: a frame's unchanged answers go as one count.
    EXPECT_LT(bytes.size(), 200u * 16);
}

TEST(RecordingFile, AnotherCallThanTheRecordedOneIsNoticed) {
    const Written w = writeSession(makeGameFolder("session"));
    const std::vector<uint8_t> bytes = readBytes(w.path);
    Recording recording;
    std::string error;
    ASSERT_EQ(parseRecording(bytes.data(), bytes.size(), recording, error), 1) << error;
    Cursor cursor;
    startCursor(cursor, recording);
    Answer answer;
    EXPECT_EQ(takeAnswer(cursor, kTick, 0, answer), Take::mismatch); // the score file comes first
}

// Every prefix of the file: refused with a reason, except where a block ends, which is all a
// crash can leave; such a prefix is kept, known to be cut short.
TEST(RecordingFile, ACutAnywhereIsRefusedUnlessItFallsBetweenBlocks) {
    const Written w = writeSession(makeGameFolder("session"));
    const std::vector<uint8_t> bytes = readBytes(w.path);
    ASSERT_GT(w.blockEnds.size(), 5u);
    size_t kept = 0;
    for (size_t size = 0; size < bytes.size(); ++size) {
        const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + ptrdiff_t(size));
        Recording recording;
        std::string error;
        const bool atBlockEnd =
            std::find(w.blockEnds.begin(), w.blockEnds.end(), size) != w.blockEnds.end();
        const int accepted = parseRecording(cut.data(), cut.size(), recording, error);
        ASSERT_EQ(accepted, atBlockEnd ? 1 : 0) << "cut at " << size << ": " << error;
        if (accepted == 1) {
            EXPECT_FALSE(recording.ended) << size;
            ++kept;
        } else {
            EXPECT_FALSE(error.empty()) << size;
        }
    }
    EXPECT_EQ(kept, w.blockEnds.size());
}

TEST(RecordingFile, DamageAnywhereIsRefused) {
    const Written w = writeSession(makeGameFolder("session"));
    const std::vector<uint8_t> bytes = readBytes(w.path);
    for (size_t at = 0; at < bytes.size(); ++at) {
        std::vector<uint8_t> damaged = bytes;
        damaged[at] ^= 0x10;
        Recording recording;
        std::string error;
        EXPECT_EQ(parseRecording(damaged.data(), damaged.size(), recording, error), 0)
            << "a flipped bit at " << at;
    }
}

} // namespace
