#include "support/game_run.h"
#include "support/trace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace std::string_literals;

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
        std::string script;
        const char* line;
    } cases[] = {
        {"0 down SPACE\n10 jump\n", ":2:"},
        {"# fine\n\n20 down KEYPAD\n", ":3:"},
        {"50 up SPACE\n40 down SPACE\n", ":2:"},
        {"x down SPACE\n", ":1:"},
        {"0 joyx 70000\n", ":1:"},
        {"0 cursor left\n", ":1:"},
        // A byte that ends a C string must not end the number before the rest is checked.
        {"0 down SPACE\n5\0x down ESCAPE\n"s, ":2: bad time '5\\x00x'"},
        {"0 cursor 12\0009\n"s, ":1:"},
    };
    for (const Case& c : cases) {
        fs::path folder = makeGameFolder("malformed");
        GameRun run = runHeadless(folder, c.script);
        EXPECT_EQ(run.exitCode, 2) << c.script;
        EXPECT_NE(run.errors.find(c.line), std::string::npos) << run.errors;
        EXPECT_FALSE(fs::exists(folder / "Vorblet.dat"));
    }
}

// The parser's own refusals are told in OptionsTest; these need the real program and its files.
TEST(ShutdownTest, MalformedArgumentsStopBeforeAnythingRuns) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--headless", "--script", "nothing.txt"}, "cannot read script nothing.txt"},
        // Only a regular file is a script: a folder would read as no events and a FIFO would
        // wait for a writer, and either run would never end.
        {{"--headless", "--script", "folder"}, "script folder is not a regular file"},
        {{"--headless", "--script", "fifo"}, "script fifo is not a regular file"},
        {{"--headless", "--script", "script.txt", "--shot", "soon:a.bmp"},
         "vorblet: --shot needs MS:PATH.bmp, not 'soon:a.bmp'\nTry 'vorblet --help' for the "
         "options.\n"},
        {{"--record", "a.txt", "--bench"},
         "vorblet: --record goes with the window or --headless, "
         "not --bench\nTry 'vorblet --help' for the options.\n"},
        {{"--replay", "nothing.rec"}, "cannot read the recording nothing.rec"},
        {{"--replay", "folder"}, "cannot read the recording folder: not a regular file"},
    };
    for (const Case& c : cases) {
        fs::path folder = makeGameFolder("arguments");
        std::ofstream(folder / "script.txt") << "0 down ESCAPE\n";
        fs::create_directory(folder / "folder");
        ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
        GameRun run = runProgram(folder, c.args, 60);
        EXPECT_EQ(run.exitCode, 2) << c.message;
        EXPECT_NE(run.errors.find(c.message), std::string::npos) << run.errors;
        for (const char* output : {"Vorblet.dat", "a.txt", "b.txt", "shot.bmp"})
            EXPECT_FALSE(fs::exists(folder / output)) << c.message << ": " << output;
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
