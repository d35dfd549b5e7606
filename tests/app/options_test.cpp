// The command line's options: what they ask for, what is refused, and what the help and the
// version tell on standard output.
#include "app/options.h"
#include "support/game_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Output {
    int status = -1;
    std::string text;
};

Output run(const std::string& arguments) {
    Output output;
    std::FILE* pipe =
        popen((std::string(VORBLET_BINARY) + " " + arguments + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[4096];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.text.append(buffer, count);
    output.status = pclose(pipe);
    return output;
}

struct Parsed {
    int code = -1;
    std::string error;
    Options options;
    std::vector<std::string> args; // what the options' paths point into
};

Parsed parse(const std::vector<std::string>& args) {
    Parsed parsed;
    parsed.args = args;
    parsed.args.insert(parsed.args.begin(), "vorblet");
    std::vector<char*> argv;
    for (std::string& arg : parsed.args)
        argv.push_back(arg.data());
    parsed.code = parseOptions(int(argv.size()), argv.data(), parsed.options, parsed.error);
    return parsed;
}

TEST(OptionsTest, MalformedCommandLinesAreRefusedWithWhatIsWrong) {
    std::vector<std::string> manyShots = {"--headless", "--script", "script.txt"};
    for (int i = 0; i < 65; ++i)
        manyShots.insert(manyShots.end(), {"--shot", std::to_string(i) + ":shot.bmp"});
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--headless"}, "--headless needs --script FILE"},
        {{"--headless", "--script"}, "--script needs a value"},
        {{"--headless", "--script", "script.txt", "--loud"}, "unknown argument '--loud'"},
        {{"--loud", "--version"}, "unknown argument '--loud'"},
        {{"--headless", "--script", "script.txt", "--script", "script.txt"},
         "--script given twice"},
        {{"--headless", "--script", "script.txt", "--trace", "a.txt", "--trace", "b.txt"},
         "--trace given twice"},
        {{"--data-dir", "a", "--data-dir", "b"}, "--data-dir given twice"},
        {manyShots, "at most 64 --shot pictures in one run"},
        {{"--bench", "--script", "script.txt"},
         "--script, --trace, --shot and --no-sound go only with --headless"},
        {{"--trace", "a.txt"}, "--script, --trace, --shot and --no-sound go only with --headless"},
        {{"--record", "a.txt", "--no-sound"},
         "--script, --trace, --shot and --no-sound go only with --headless"},
        {{"--headless", "--script", "script.txt", "--bench"},
         "--headless and --bench exclude each other"},
        {{"--headless", "--script", "script.txt", "--shot"}, "--shot needs a value"},
        {{"--headless", "--script", "script.txt", "--shot", "soon:a.bmp"},
         "--shot needs MS:PATH.bmp, not 'soon:a.bmp'"},
        {{"--headless", "--script", "script.txt", "--shot", "4294967296:a.bmp"},
         "--shot needs MS:PATH.bmp, not '4294967296:a.bmp'"},
        {{"--headless", "--script", "script.txt", "--shot", "-1:a.bmp"},
         "--shot needs MS:PATH.bmp, not '-1:a.bmp'"},
        {{"--headless", "--script", "script.txt", "--shot", "5:"},
         "--shot needs MS:PATH.bmp, not '5:'"},
        {{"--\x1b[2J"}, "unknown argument '--\\x1b[2J'"},
        {{"--fullscreen", "--window"}, "--fullscreen and --window exclude each other"},
        {{"--bench", "--window"}, "--fullscreen and --window go only with the window"},
        {{"--replay", "a.txt", "--fullscreen"},
         "--fullscreen and --window go only with the window"},
        {{"--watch"}, "--watch and --scores go only with --replay"},
        {{"--headless", "--script", "script.txt", "--scores", "a.txt"},
         "--watch and --scores go only with --replay"},
        {{"--replay"}, "--replay needs a value"},
        {{"--replay", "a.txt", "--script", "script.txt"},
         "--replay goes without --record, --script, --no-sound and --bench"},
        {{"--replay", "a.txt", "--record", "b.txt"},
         "--replay goes without --record, --script, --no-sound and --bench"},
        {{"--replay", "a.txt", "--watch", "--trace", "b.txt"},
         "--replay --watch shows a window: no --headless, --trace or --shot"},
        {{"--record", "a.txt", "--bench"},
         "--record goes with the window or --headless, not --bench"},
    };
    for (const Case& c : cases) {
        const Parsed parsed = parse(c.args);
        EXPECT_EQ(parsed.code, 2) << testing::PrintToString(c.args);
        EXPECT_EQ(parsed.error, c.message) << testing::PrintToString(c.args);
    }
}

TEST(OptionsTest, ValidCommandLinesChooseTheBackend) {
    struct Case {
        std::vector<std::string> args;
        platform::Backend backend;
    } cases[] = {
        {{}, platform::Backend::window},
        {{"--record", "r"}, platform::Backend::window},
        {{"--record", "r", "--trace", "t", "--fullscreen"}, platform::Backend::window},
        {{"--record", "r", "--headless", "--script", "s"}, platform::Backend::headless},
        {{"--replay", "a"}, platform::Backend::headless},
        {{"--replay", "a", "--headless", "--trace", "t", "--shot", "1:x.bmp", "--scores", "c"},
         platform::Backend::headless},
        {{"--replay", "a", "--watch", "--scores", "c", "--window"}, platform::Backend::window},
        {{"--bench", "--data-dir", "d"}, platform::Backend::bench},
    };
    for (const Case& c : cases) {
        const Parsed parsed = parse(c.args);
        EXPECT_EQ(parsed.code, 0) << parsed.error;
        EXPECT_EQ(parsed.options.backend, c.backend) << testing::PrintToString(c.args);
        EXPECT_FALSE(parsed.options.helpWanted || parsed.options.versionWanted);
    }
}

TEST(OptionsTest, ValidCommandLineFillsTheRecord) {
    const Parsed parsed =
        parse({"--headless", "--script", "s.txt", "--trace", "t.txt", "--shot", "4294967295:a.bmp",
               "--no-sound", "--shot", "0:b.bmp", "--record", "r.rec", "--data-dir", "d"});
    ASSERT_EQ(parsed.code, 0) << parsed.error;
    const Options& options = parsed.options;
    EXPECT_STREQ(options.headless.scriptPath, "s.txt");
    EXPECT_STREQ(options.headless.tracePath, "t.txt");
    EXPECT_STREQ(options.headless.recordPath, "r.rec");
    EXPECT_EQ(options.headless.replayPath, nullptr);
    EXPECT_EQ(options.headless.scoresPath, nullptr);
    EXPECT_TRUE(options.headless.noSound);
    EXPECT_STREQ(options.dataDir, "d");
    EXPECT_EQ(options.fullscreen, platform::FullscreenChoice::saved);
    ASSERT_EQ(options.shotCount, 2);
    EXPECT_EQ(options.shots[0].ms, 4294967295u);
    EXPECT_STREQ(options.shots[0].path, "a.bmp");
    EXPECT_EQ(options.shots[1].ms, 0u);
    EXPECT_STREQ(options.shots[1].path, "b.bmp");
    EXPECT_EQ(parse({"--fullscreen", "--fullscreen"}).options.fullscreen,
              platform::FullscreenChoice::fullscreen);
    EXPECT_EQ(parse({"--window"}).options.fullscreen, platform::FullscreenChoice::window);
}

// The help comes before the checks across options, and the version before anything after it.
TEST(OptionsTest, HelpAndVersionAnswerBeforeTheRestIsChecked) {
    const Parsed help = parse({"--help", "--headless", "--bench", "--data-dir", "d"});
    EXPECT_EQ(help.code, 0) << help.error;
    EXPECT_TRUE(help.options.helpWanted);
    EXPECT_STREQ(help.options.dataDir, "d");
    EXPECT_EQ(parse({"--help", "--loud"}).code, 2);
    const Parsed version = parse({"--bench", "--version", "--loud", "--script"});
    EXPECT_EQ(version.code, 0) << version.error;
    EXPECT_TRUE(version.options.versionWanted);
}

TEST(OptionsTest, HelpNamesTheControlsTheVariantsTheFilesAndTheOptions) {
    const Output help = run("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* part :
         {"usage: vorblet", "Left, Right", "Escape", "P ", "M ", "F11", "gamepad", "NORMAL",
          "SUPER (Tab)", "HYPER (Control)", "ULTRA (Tab and Control)", "BENCH (Shift)",
          "Vorblet.dat", "vorblet.ini", "--fullscreen", "--window", "--version", "--headless",
          "--bench"})
        EXPECT_NE(help.text.find(part), std::string::npos) << part;
    // Every option with its value's name, and the titles of the three lists.
    for (const char* part :
         {"--data-dir DIR", "--help", "--script FILE", "--trace FILE", "--shot MS:PATH.bmp",
          "--no-sound", "--record FILE", "--replay FILE", "--watch", "--scores FILE",
          "Options:", "For tests and measurements:", "Recording and replaying a session:"})
        EXPECT_NE(help.text.find(part), std::string::npos) << part;
}

TEST(OptionsTest, VersionIsTheOneTheCaptionShows) {
    const Output version = run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.text, "vorblet 1.0.5\n");
}

} // namespace
