// What the program tells a player who asks: --help and --version on standard output, exit 0.
#include "support/game_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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

TEST(OptionsTest, HelpNamesTheControlsTheVariantsTheFilesAndTheOptions) {
    const Output help = run("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* part :
         {"usage: vorblet", "Left, Right", "Escape", "P ", "M ", "F11", "gamepad", "NORMAL",
          "SUPER (Tab)", "HYPER (Control)", "ULTRA (Tab and Control)", "BENCH (Shift)",
          "Vorblet.dat", "vorblet.ini", "--fullscreen", "--window", "--version", "--headless",
          "--bench"})
        EXPECT_NE(help.text.find(part), std::string::npos) << part;
}

TEST(OptionsTest, VersionIsTheOneTheCaptionShows) {
    const Output version = run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.text, "vorblet 1.0.5\n");
}

} // namespace
