// The inventory inside a whole headless run: what the trace shows of its sounds, and an exit
// that closes the clips without disturbing the platform's teardown.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/game_run.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> soundLines(const GameRun& run) {
    std::vector<std::string> lines;
    for (const std::string& line : linesContaining(run.trace, " sound "))
        lines.push_back(line.substr(line.find(" sound ") + 7));
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

TEST(InventoryRun, WithoutADeviceOnlyTheFirstOpenIsTriedAndTheRunGoesOn) {
    fs::path folder = makeGameFolder("nosound");
    GameRun run = runHeadless(folder, "0 down ESCAPE\n", {"--no-sound"});
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    std::vector<std::string> sounds = soundLines(run);
    ASSERT_GE(sounds.size(), 9u);
    EXPECT_EQ(sounds[0], "open 128 266");
    EXPECT_EQ(sounds[8], "open 143 266");
}

TEST(InventoryRun, AMissingSheetEndsTheRunWithItsMessage) {
    fs::path folder = makeGameFolder("nosheet");
    fs::remove(folder / "BMP/130.bmp");
    GameRun run = runHeadless(folder, "0 down ESCAPE\n");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    std::vector<std::string> boxes = linesContaining(run.trace, " box ");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("BMP/130.bmp"), std::string::npos);
    EXPECT_TRUE(soundLines(run).empty());
}

} // namespace
