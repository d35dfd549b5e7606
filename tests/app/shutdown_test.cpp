#include "support/game_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

uint32_t timeOf(const std::string& line) {
    return uint32_t(std::stoul(line));
}

bool isNumber(const std::string& word, bool signedOk = false) {
    size_t start = signedOk && !word.empty() && word[0] == '-' ? 1 : 0;
    return word.size() > start && word.find_first_not_of("0123456789", start) == std::string::npos;
}

// MS present HASH | MS sound ACTION CLIP RESULT | MS box TITLE TEXT | MS exit CODE
bool isTraceLine(const std::string& line) {
    std::istringstream in(line);
    std::string ms, kind, a, b, c, extra;
    in >> ms >> kind >> a >> b >> c >> extra;
    if (!isNumber(ms)) return false;
    if (kind == "present")
        return a.size() == 16 && a.find_first_not_of("0123456789abcdef") == std::string::npos &&
               b.empty();
    if (kind == "sound")
        return (a == "open" || a == "play" || a == "stop" || a == "close") && isNumber(b) &&
               isNumber(c, true) && extra.empty();
    if (kind == "box") return !a.empty();
    if (kind == "exit") return isNumber(a) && b.empty();
    return false;
}

TEST(ShutdownTest, EscapeOnTheTitleEndsTheThreadItselfAndSavesTheScores) {
    fs::path folder = makeGameFolder("escape");
    GameRun run = runHeadless(folder, "0 down ESCAPE\n");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_FALSE(run.trace.empty());
    EXPECT_NE(run.trace.back().find(" exit 0"), std::string::npos);
    EXPECT_EQ(fs::file_size(folder / "Vorblet.dat"), 24u);
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
