// Recording a scripted run and replaying it: the replay gives the run's trace, shots and scores
// byte for byte, writes no score file of the player's, and refuses a recording it cannot follow.
#include "platform/record/format.h"
#include "platform/record/reader.h"
#include "support/file_size_limit.h"
#include "support/files.h"
#include "support/game_run.h"
#include "support/trace.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace platform::record;

namespace {

// A session that touches every kind of answer: a round steered by keys and a joystick, a pause
// with P and one by the loss of the focus, Escape, the game over ended with Space, and Escape on
// the title to quit.
const char* const kSession = "3000 down SPACE\n3100 up SPACE\n"
                             "3600 down RIGHT\n4400 up RIGHT\n"
                             "4400 joyx 2000\n4900 joyx none\n"
                             "5000 down P\n5100 up P\n6000 down P\n6100 up P\n"
                             "6200 focus out\n6600 focus in\n"
                             "7500 down ESCAPE\n7600 up ESCAPE\n"
                             "8500 down SPACE\n8600 up SPACE\n"
                             "11000 down ESCAPE\n11100 up ESCAPE\n"
                             "30000 close\n";

// Low enough for the session's short round to beat.
const std::string kRecordedScores("\x05\0\0\0\x05\0\0\0\x05\0\0\0\x05\0\0\0\x05\0\0\0\x05\0\0\0",
                                  24);
const std::string kOtherScores("\x07\0\0\0\x07\0\0\0\x07\0\0\0\x07\0\0\0\x07\0\0\0\x07\0\0\0", 24);

void writeScores(const fs::path& folder, const std::string& scores) {
    std::ofstream(folder / "Vorblet.dat", std::ios::binary) << scores;
}

// The session played from its script without recording, and played again recording it.
struct Recorded {
    fs::path plain, recorded;
    GameRun plainRun, recordedRun;
};

const Recorded& recordedSession() {
    static const Recorded session = [] {
        Recorded r;
        r.plain = makeGameFolder("plain");
        writeScores(r.plain, kRecordedScores);
        r.plainRun = runHeadless(r.plain, kSession, {"--shot", "4000:shot.bmp"});
        r.recorded = makeGameFolder("recorded");
        writeScores(r.recorded, kRecordedScores);
        r.recordedRun = runHeadless(r.recorded, kSession,
                                    {"--record", "session.rec", "--shot", "4000:shot.bmp"});
        return r;
    }();
    return session;
}

std::vector<uint8_t> recordingBytes() {
    return readBytes(recordedSession().recorded / "session.rec");
}

// The file offsets at which the recording's blocks end.
std::vector<size_t> blockEnds(const std::vector<uint8_t>& bytes) {
    Recording recording;
    std::string error;
    std::vector<size_t> ends;
    if (parseRecording(bytes.data(), bytes.size(), recording, error) != 1) return ends;
    const uint8_t* at = bytes.data() + encodeHeader(recording.header).size();
    const uint8_t* end = bytes.data() + bytes.size();
    uint64_t length = 0;
    while (at < end && getVarint(at, end, length)) {
        at += length + 4;
        ends.push_back(size_t(at - bytes.data()));
    }
    return ends;
}

TEST(ReplayTest, ARecordedRunReplaysToTheSameTraceShotsAndScores) {
    const Recorded& session = recordedSession();
    ASSERT_EQ(session.plainRun.exitCode, 0) << session.plainRun.errors;
    ASSERT_EQ(session.recordedRun.exitCode, 0) << session.recordedRun.errors;
    // Recording changes nothing of the run itself.
    EXPECT_EQ(readFile(session.recorded / "trace.txt"), readFile(session.plain / "trace.txt"));
    EXPECT_EQ(readFile(session.recorded / "Vorblet.dat"), readFile(session.plain / "Vorblet.dat"));
    ASSERT_NE(readFile(session.plain / "Vorblet.dat"), kRecordedScores) << "no score was beaten";
    // Well under a megabyte for ten minutes: under half of that rate.
    const double sessionMs = std::stod(session.recordedRun.trace.back());
    EXPECT_LT(double(fs::file_size(session.recorded / "session.rec")), sessionMs * 0.87);

    // Replayed elsewhere, over a score file of other scores that it reads nothing from.
    fs::path folder = makeGameFolder("replay");
    writeScores(folder, kOtherScores);
    GameRun replay =
        runProgram(folder, {"--replay", (session.recorded / "session.rec").string(), "--trace",
                            "trace.txt", "--shot", "4000:shot.bmp", "--scores", "scores.dat"});
    EXPECT_EQ(replay.exitCode, 0);
    EXPECT_EQ(replay.errors, "");
    EXPECT_EQ(readFile(folder / "trace.txt"), readFile(session.plain / "trace.txt"));
    EXPECT_EQ(readFile(folder / "shot.bmp"), readFile(session.plain / "shot.bmp"));
    EXPECT_EQ(readFile(folder / "scores.dat"), readFile(session.plain / "Vorblet.dat"));
    EXPECT_EQ(readFile(folder / "Vorblet.dat"), kOtherScores);

    // Without --scores a replay writes no score file at all.
    fs::path bare = makeGameFolder("bare");
    GameRun quiet = runProgram(bare, {"--replay", (session.recorded / "session.rec").string()});
    EXPECT_EQ(quiet.exitCode, 0) << quiet.errors;
    EXPECT_FALSE(fs::exists(bare / "Vorblet.dat"));
}

TEST(ReplayTest, ARecordingCutShortByACrashPlaysWhatItHoldsThenEndsAsAClosedWindow) {
    const std::vector<uint8_t> bytes = recordingBytes();
    const std::vector<size_t> ends = blockEnds(bytes);
    ASSERT_GT(ends.size(), 4u);
    fs::path folder = makeGameFolder("cut");
    writeFile(
        folder / "cut.rec",
        std::vector<uint8_t>(bytes.begin(), bytes.begin() + ptrdiff_t(ends[ends.size() / 2])));
    GameRun replay = runProgram(
        folder, {"--replay", "cut.rec", "--trace", "trace.txt", "--scores", "scores.dat"});
    EXPECT_EQ(replay.exitCode, 0);
    EXPECT_NE(replay.errors.find("cut.rec was cut short"), std::string::npos) << replay.errors;
    ASSERT_FALSE(replay.trace.empty());
    EXPECT_NE(replay.trace.back().find(" exit 0"), std::string::npos);
    // It followed the recording as far as it went, and the game saved its scores at the close.
    const std::vector<std::string>& full = recordedSession().plainRun.trace;
    size_t same = 0;
    while (same < replay.trace.size() && same < full.size() && replay.trace[same] == full[same])
        ++same;
    EXPECT_GT(same, full.size() / 4);
    EXPECT_LT(linesContaining(replay.trace, "present").size(),
              linesContaining(full, "present").size());
    EXPECT_EQ(readFile(folder / "scores.dat").size(), 24u);
}

// A recording whose hundredth picture check says another picture, in one block: the game does
// not show what it holds, and the replay says so, ends as after a close and exits with code 2.
TEST(ReplayTest, AReplayThatNoLongerFollowsItsRecordingSaysSoAndExitsWith2) {
    const std::vector<uint8_t> bytes = recordingBytes();
    Recording recording;
    std::string error;
    ASSERT_EQ(parseRecording(bytes.data(), bytes.size(), recording, error), 1) << error;
    std::vector<uint8_t> entries = recording.entries;
    int pictures = 0;
    for (const uint8_t* at = entries.data(); at < entries.data() + entries.size();) {
        const uint8_t* start = at;
        Entry entry;
        ASSERT_TRUE(decodeEntry(at, entries.data() + entries.size(), entry));
        if (entry.type == Entry::value && entry.kind == kPresent && ++pictures == 100) {
            entries[size_t(start - entries.data()) + 1] ^= 0x02; // the check's lowest varint byte
            break;
        }
    }
    ASSERT_EQ(pictures, 100);
    std::vector<uint8_t> file = encodeHeader(recording.header);
    putVarint(file, entries.size());
    file.insert(file.end(), entries.begin(), entries.end());
    putU32(file, crc32(entries.data(), entries.size()));

    fs::path folder = makeGameFolder("astray");
    writeFile(folder / "astray.rec", file);
    GameRun replay = runProgram(folder, {"--replay", "astray.rec", "--trace", "trace.txt"});
    EXPECT_EQ(replay.exitCode, 2);
    EXPECT_NE(replay.errors.find("vorblet: the replay no longer follows astray.rec after"),
              std::string::npos)
        << replay.errors;
    EXPECT_NE(replay.errors.find("the picture differs from the recorded one"), std::string::npos);
    EXPECT_GE(linesContaining(replay.trace, "present").size(), 100u);
    EXPECT_LT(linesContaining(replay.trace, "present").size(),
              linesContaining(recordedSession().plainRun.trace, "present").size());
    ASSERT_FALSE(replay.trace.empty());
    EXPECT_NE(replay.trace.back().find(" exit 2"), std::string::npos);
}

TEST(ReplayTest, ARecordingThatDoesNotFitIsRefusedBeforeAnythingRuns) {
    const std::vector<uint8_t> bytes = recordingBytes();
    Recording recording;
    std::string error;
    ASSERT_EQ(parseRecording(bytes.data(), bytes.size(), recording, error), 1) << error;
    const size_t headerSize = encodeHeader(recording.header).size();
    const std::vector<uint8_t> blocks(bytes.begin() + ptrdiff_t(headerSize), bytes.end());
    auto withHeader = [&](Header header) {
        std::vector<uint8_t> file = encodeHeader(header);
        file.insert(file.end(), blocks.begin(), blocks.end());
        return file;
    };
    Header otherVersion = recording.header;
    otherVersion.gameVersion = "1.0.4";
    Header otherFormat = recording.header;
    otherFormat.format = 2;
    std::vector<uint8_t> magic = bytes;
    magic[0] = 'X';
    std::vector<uint8_t> damaged = bytes;
    damaged[headerSize + 40] ^= 0x01;
    const std::vector<size_t> ends = blockEnds(bytes);
    ASSERT_GT(ends.size(), 2u);

    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        const char* folderChange; // a game file to alter or remove in the replay's folder
        const char* message;
    } cases[] = {
        {"empty", {}, nullptr, "not a Vorblet recording"},
        {"magic", magic, nullptr, "not a Vorblet recording"},
        {"format", withHeader(otherFormat), nullptr,
         "the recording is in format 2, and this game reads format 1"},
        {"version", withHeader(otherVersion), nullptr,
         "it was recorded by Vorblet 1.0.4, and this is Vorblet 1.0.5"},
        {"artwork", bytes, "alter BMP/130.bmp",
         "it was recorded with other artwork or sounds (BMP/130.bmp differs"},
        {"sound", bytes, "remove wav/141.wav",
         "it was recorded with other artwork or sounds (wav/141.wav is missing here)"},
        {"header cut", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 12), nullptr,
         "the recording's header is cut short"},
        {"block cut", std::vector<uint8_t>(bytes.begin(), bytes.begin() + ptrdiff_t(ends[1] - 3)),
         nullptr, "the recording is cut short in block 2"},
        {"damaged", damaged, nullptr, "block 1 of the recording is damaged"},
    };
    for (const Case& c : cases) {
        fs::path folder = makeGameFolder(c.name);
        writeFile(folder / "session.rec", c.file);
        if (c.folderChange != nullptr) {
            const std::string change = c.folderChange;
            if (change.rfind("alter ", 0) == 0) alter(folder / change.substr(6));
            if (change.rfind("remove ", 0) == 0) fs::remove(folder / change.substr(7));
        }
        GameRun run = runProgram(
            folder, {"--replay", "session.rec", "--trace", "trace.txt", "--scores", "scores.dat"});
        EXPECT_EQ(run.exitCode, 2) << c.name;
        EXPECT_NE(run.errors.find(std::string("vorblet: cannot replay session.rec: ") + c.message),
                  std::string::npos)
            << c.name << ": " << run.errors;
        EXPECT_FALSE(fs::exists(folder / "trace.txt")) << c.name;
        EXPECT_FALSE(fs::exists(folder / "scores.dat")) << c.name;
    }
}

// A recording is written beside its target and renamed onto it, and only onto a new name or a
// regular file of our own: never through a link, never onto a FIFO (which would hold the game),
// never onto the game's own artwork or scores.
TEST(ReplayTest, ARecordingTakesThePlaceOfNothingButARegularFileOfOurOwn) {
    fs::path folder = makeGameFolder("targets");
    writeScores(folder, kRecordedScores);
    const std::string artwork = readFile(folder / "BMP" / "128.bmp");
    writeFile(folder / "victim", std::string("keep"));
    fs::create_symlink("victim", folder / "link.rec");
    ASSERT_EQ(::mkfifo((folder / "fifo.rec").c_str(), 0666), 0);
    fs::create_hard_link(folder / "Vorblet.dat", folder / "scores-too.rec");
    const struct {
        const char* path;
        const char* why;
    } refused[] = {
        {"link.rec", "it is a symbolic link"},
        {"fifo.rec", "it is not a regular file"},
        {"BMP/128.bmp", "it is one of the game's own files"},
        {"Vorblet.dat", "it is one of the game's own files"},
        {"scores-too.rec", "it is one of the game's own files"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.path);
        GameRun run = runHeadless(folder, "0 down ESCAPE\n", {"--record", c.path}, 60);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(
            run.errors.find(std::string("cannot write the recording ") + c.path + ": " + c.why),
            std::string::npos)
            << run.errors;
    }
    EXPECT_EQ(readFile(folder / "victim"), "keep");
    EXPECT_EQ(readFile(folder / "BMP" / "128.bmp"), artwork);
    EXPECT_EQ(readFile(folder / "Vorblet.dat"), kRecordedScores);
    EXPECT_EQ(fs::symlink_status(folder / "fifo.rec").type(), fs::file_type::fifo);

    // An old recording of our own is replaced whole, and nothing is left beside it.
    writeFile(folder / "old.rec", std::string("an old recording"));
    GameRun run = runHeadless(folder, "0 down ESCAPE\n1000 down ESCAPE\n", {"--record", "old.rec"});
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    const std::vector<uint8_t> bytes = readBytes(folder / "old.rec");
    Recording recording;
    std::string error;
    EXPECT_EQ(parseRecording(bytes.data(), bytes.size(), recording, error), 1) << error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().rfind("old.rec.", 0), std::string::npos)
            << entry.path();
}

// A disk that fills while recording (here a file-size limit): the recording keeps its whole
// blocks, and those replay.
TEST(ReplayTest, ARecordingCutByAFullDiskReplaysItsWholeBlocks) {
    fs::path folder = makeGameFolder("full");
    writeScores(folder, kRecordedScores);
    std::ofstream(folder / "script.txt") << kSession;
    GameRun recorded;
    {
        FileSizeLimit limit(2000, SIG_DFL);
        recorded =
            runProgram(folder, {"--headless", "--script", "script.txt", "--record", "cut.rec"});
    }
    EXPECT_EQ(recorded.exitCode, 0);
    ASSERT_GT(fs::file_size(folder / "cut.rec"), 100u);
    ASSERT_LE(fs::file_size(folder / "cut.rec"), 2000u);
    GameRun replay = runProgram(folder, {"--replay", "cut.rec", "--trace", "trace.txt"});
    EXPECT_EQ(replay.exitCode, 0) << replay.errors;
    EXPECT_NE(replay.errors.find("cut.rec was cut short"), std::string::npos) << replay.errors;
    EXPECT_GT(linesContaining(replay.trace, "present").size(), 10u);
}

// A file far larger than any session makes is refused by its size, before a byte is read.
TEST(ReplayTest, AnOversizedRecordingIsRefusedByItsSize) {
    fs::path folder = makeGameFolder("oversized");
    std::ofstream(folder / "huge.rec").put('V');
    fs::resize_file(folder / "huge.rec", uintmax_t(257) << 20); // sparse: no disk, no time
    GameRun run = runProgram(folder, {"--replay", "huge.rec", "--trace", "trace.txt"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.errors.find("cannot replay huge.rec: the recording is larger than any session "
                              "makes"),
              std::string::npos)
        << run.errors;
    EXPECT_FALSE(fs::exists(folder / "trace.txt"));
}

} // namespace
