#include "support/game_run.h"
#include "support/trace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

uint32_t timeOf(const std::string& line) {
    return uint32_t(std::stoul(line));
}

TEST(ShutdownTest, EscapeOnTheTitleEndsTheThreadItselfAndSavesTheScores) {
    fs::path folder = makeGameFolder("escape");
    GameRun run = runHeadless(folder, "0 down ESCAPE\n");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_FALSE(run.trace.empty());
    EXPECT_NE(run.trace.back().find(" exit 0"), std::string::npos);
    // No score file was there, so the defaults are saved: 30, 30, 30, 0, 30, 30.
    const std::string defaults("\x1E\0\0\0\x1E\0\0\0\x1E\0\0\0\0\0\0\0\x1E\0\0\0\x1E\0\0\0", 24);
    EXPECT_EQ(readFile(folder / "Vorblet.dat"), defaults);
}

TEST(ShutdownTest, ClosingTheWindowEndsEveryScreenPromptly) {
    // A close on the title, during a round and during the game-over sequence.
    struct Case {
        const char* name;
        const char* script;
        uint32_t closeAt;
    } cases[] = {
        {"title", "5000 close\n", 5000},
        {"round", "3000 down SPACE\n3200 up SPACE\n8000 close\n", 8000},
        {"gameover",
         "3000 down SPACE\n3200 up SPACE\n6000 down ESCAPE\n6200 up ESCAPE\n"
         "9000 close\n",
         9000},
    };
    for (const Case& c : cases) {
        fs::path folder = makeGameFolder(c.name);
        GameRun run = runHeadless(folder, c.script);
        EXPECT_EQ(run.exitCode, 0) << c.name << run.errors;
        ASSERT_FALSE(run.trace.empty()) << c.name;
        const std::string& last = run.trace.back();
        EXPECT_NE(last.find(" exit 0"), std::string::npos) << c.name;
        // The next flag test comes within a frame or a game-over step; the title screen that
        // follows returns at once, after its fade.
        EXPECT_LT(timeOf(last), c.closeAt + 2000) << c.name;
        EXPECT_TRUE(fs::exists(folder / "Vorblet.dat")) << c.name;
    }
}

TEST(ShutdownTest, MalformedScriptStopsBeforeAnythingRuns) {
    struct Case {
        const char* script;
        const char* line;
    } cases[] = {
        {"0 down SPACE\n10 jump\n", ":2:"},
        {"# fine\n\n20 down KEYPAD\n", ":3:"},
        {"50 up SPACE\n40 down SPACE\n", ":2:"},
        {"x down SPACE\n", ":1:"},
        {"0 joyx 70000\n", ":1:"},
        {"0 cursor left\n", ":1:"},
    };
    for (const Case& c : cases) {
        fs::path folder = makeGameFolder("malformed");
        GameRun run = runHeadless(folder, c.script);
        EXPECT_EQ(run.exitCode, 2) << c.script;
        EXPECT_NE(run.errors.find(c.line), std::string::npos) << run.errors;
        EXPECT_FALSE(fs::exists(folder / "Vorblet.dat"));
    }
}

TEST(ShutdownTest, ReadOnlyScoreFileIsReadButNeverReplaced) {
    fs::path folder = makeGameFolder("readonly");
    const std::string scores("\x2A\0\0\0\x2A\0\0\0\x2A\0\0\0\x2A\0\0\0\x2A\0\0\0\x2A\0\0\0", 24);
    { std::ofstream(folder / "Vorblet.dat", std::ios::binary) << scores; }
    fs::permissions(folder / "Vorblet.dat", fs::perms::owner_read);
    GameRun run = runHeadless(folder, "0 down ESCAPE\n");
    fs::permissions(folder / "Vorblet.dat", fs::perms::owner_all);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(readFile(folder / "Vorblet.dat"), scores);
}

TEST(ShutdownTest, SameScriptGivesTheSameTraceShotsAndScores) {
    const std::string script =
        "3000 down SPACE\n3100 up SPACE\n3500 down RIGHT\n4500 up RIGHT\n"
        "6000 down ESCAPE\n6100 up ESCAPE\n9000 down ESCAPE\n9100 up ESCAPE\n"
        "12000 down ESCAPE\n";
    std::string traces[2], shots[2], scores[2];
    for (int i = 0; i < 2; ++i) {
        fs::path folder = makeGameFolder("run" + std::to_string(i));
        GameRun run = runHeadless(folder, script, {"--shot", "5000:shot.bmp"});
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        traces[i] = readFile(folder / "trace.txt");
        shots[i] = readFile(folder / "shot.bmp");
        scores[i] = readFile(folder / "Vorblet.dat");
    }
    EXPECT_FALSE(traces[0].empty());
    std::istringstream lines(traces[0]);
    for (std::string text; std::getline(lines, text);)
        EXPECT_TRUE(isTraceLine(text)) << text;
    EXPECT_EQ(shots[0].size(), 54u + 640 * 460 * 3);
    EXPECT_EQ(traces[0], traces[1]);
    EXPECT_EQ(shots[0], shots[1]);
    EXPECT_EQ(scores[0], scores[1]);
}

} // namespace
