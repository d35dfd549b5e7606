// The inventory inside a whole headless run: what the trace shows of its sounds, and an exit
// that closes the clips without disturbing the platform's teardown.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "support/case_name.h"
#include "support/game_run.h"
#include "support/trace.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> soundLines(const GameRun& run) {
    std::vector<std::string> lines;
    for (const SoundEvent& event : soundEvents(run.trace))
        lines.push_back(event.line());
    return lines;
}

TEST(InventoryRun, OpensTheNineClipsInOrderAndExitsCleanly) {
    fs::path folder = makeGameFolder("all");
    GameRun run = runHeadless(folder, "0 down ESCAPE\n");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    std::vector<std::string> sounds = soundLines(run);
    ASSERT_GE(sounds.size(), 9u);
    const char* numbers[] = {"128", "129", "130", "131", "132", "140", "141", "142", "143"};
    for (size_t i = 0; i < 9; ++i)
        EXPECT_EQ(sounds[i], std::string("open ") + numbers[i] + " 0");
    ASSERT_FALSE(run.trace.empty());
    EXPECT_NE(run.trace.back().find(" exit 0"), std::string::npos);
}

struct SilentCase {
    const char* name;
    std::vector<std::string> arguments;
    const char* removed; // a sound file taken out of the game folder, or nullptr
    int error;           // what every open from the first failing one on answers
    size_t opened;       // the clips that opened before it
};

void PrintTo(const SilentCase& c, std::ostream* os) {
    *os << c.name;
}

class SilentRun : public testing::TestWithParam<SilentCase> {};

// The first failure is kept and answers every later sound operation, and the game plays on
// silently. With no device every open fails alike; with one file missing, the clips after it
// answer its error although their files are there, so they were never tried.
TEST_P(SilentRun, TheFirstFailureAnswersEveryLaterSoundAndTheRunGoesOn) {
    const SilentCase& c = GetParam();
    fs::path folder = makeGameFolder("silent");
    if (c.removed != nullptr) fs::remove(folder / c.removed);
    GameRun run = runHeadless(folder, "3000 down ESCAPE\n", c.arguments);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_FALSE(run.trace.empty());
    EXPECT_NE(run.trace.back().find(" exit 0"), std::string::npos);
    std::vector<std::string> sounds = soundLines(run);
    ASSERT_GT(sounds.size(), 9u) << "the title screen asks for its tune";
    const char* numbers[] = {"128", "129", "130", "131", "132", "140", "141", "142", "143"};
    for (size_t i = 0; i < sounds.size(); ++i) {
        const std::string result = i < c.opened ? "0" : std::to_string(c.error);
        if (i < 9) {
            EXPECT_EQ(sounds[i], std::string("open ") + numbers[i] + " " + result);
        } else {
            EXPECT_EQ(sounds[i].substr(sounds[i].rfind(' ') + 1), result) << sounds[i];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, SilentRun,
                         testing::Values(SilentCase{"NoDevice", {"--no-sound"}, nullptr, 266, 0},
                                         SilentCase{"MissingWav141", {}, "wav/141.wav", 275, 6}),
                         CaseName());

// The box is the one the game always showed; the exit code and the line on stderr tell a
// launcher or a script that the game never started.
TEST(InventoryRun, AMissingSheetEndsTheRunWithItsMessageAndExitCodeOne) {
    fs::path folder = makeGameFolder("nosheet");
    fs::remove(folder / "BMP/130.bmp");
    GameRun run = runHeadless(folder, "0 down ESCAPE\n");
    EXPECT_EQ(run.exitCode, 1) << run.errors;
    std::vector<std::string> boxes = linesContaining(run.trace, " box ");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("box Error BMP/130.bmp\\n の読込みに失敗しました。"), std::string::npos)
        << boxes[0];
    EXPECT_TRUE(soundLines(run).empty());
    EXPECT_NE(run.trace.back().find(" exit 1"), std::string::npos);
    EXPECT_EQ(
        run.errors,
        "vorblet: " + (folder / "BMP" / "130.bmp").string() +
            " is missing; the game's files (BMP/ and wav/) were looked for in: " + folder.string() +
            ", " + fs::path(VORBLET_BINARY).parent_path().string() + ", " +
            (fs::path(VORBLET_BINARY).parent_path().parent_path() / "share" / "vorblet").string() +
            "\n");
}

TEST(InventoryRun, AGameFileThatIsNotARegularFileIsTakenAsMissing) {
    // A FIFO, a device or a folder in place of a file is refused at once, never waited on and
    // never read: the run ends exactly as it does when the file is missing.
    enum Kind { fifo, device, folder };
    for (const char* file : {"BMP/130.bmp", "BMP/129.bmp", "wav/128.wav", "wav/141.wav"}) {
        fs::path missingFolder = makeGameFolder("missing");
        fs::remove(missingFolder / file);
        GameRun missing = runHeadless(missingFolder, "0 down ESCAPE\n", {}, 60);
        ASSERT_FALSE(missing.trace.empty()) << file;
        for (Kind kind : {fifo, device, folder}) {
            fs::path gameFolder = makeGameFolder("replaced");
            fs::path path = gameFolder / file;
            fs::remove(path);
            if (kind == fifo) {
                ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
            } else if (kind == device) {
                fs::create_symlink("/dev/null", path);
            } else {
                fs::create_directory(path);
            }
            GameRun run = runHeadless(gameFolder, "0 down ESCAPE\n", {}, 60);
            EXPECT_EQ(run.exitCode, missing.exitCode) << file << " kind " << kind << run.errors;
            EXPECT_EQ(run.trace, missing.trace) << file << " kind " << kind;
            EXPECT_EQ(fs::exists(gameFolder / "Vorblet.dat"),
                      fs::exists(missingFolder / "Vorblet.dat"))
                << file << " kind " << kind;
        }
    }
}

} // namespace
