#include "support/game_run.h"
#include "support/x_display.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

struct Rgb {
    int r, g, b;
};

Rgb pixelAt(const std::vector<uint8_t>& picture, int width, int x, int y) {
    const uint8_t* p = &picture[(size_t(y) * width + x) * 3];
    return {p[2], p[1], p[0]};
}

class WindowTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(x.ok()) << "Xvfb did not start"; }

    // Waits until the window's pixel at (px, py) has the colour.
    bool waitForColour(unsigned long window, int px, int py, Rgb colour, milliseconds timeout) {
        bool seen = waitFor(
            [&] {
                int w = 0, h = 0;
                std::vector<uint8_t> picture = x.readPixels(window, w, h);
                if (picture.empty()) return false;
                Rgb p = pixelAt(picture, w, px, py);
                return p.r == colour.r && p.g == colour.g && p.b == colour.b;
            },
            timeout);
        // Let a screen's fade-in finish, so the next key press reaches its loop.
        std::this_thread::sleep_for(milliseconds(800));
        return seen;
    }

    XTestDisplay x;
};

TEST_F(WindowTest, WindowHasItsCaptionAndSizeAndKeysReachTheGame) {
    fs::path folder = makeGameFolder("play");
    ChildProcess game(folder, VORBLET_BINARY, x.name());
    unsigned long window = x.findWindow("Vorblet v1.0.5", seconds(20));
    ASSERT_NE(window, 0u);
    int width = 0, height = 0;
    x.readPixels(window, width, height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 460);

    ASSERT_TRUE(waitForColour(window, 10, 10, {24, 28, 64}, seconds(20))) << "no title screen";
    x.holdKey(window, "space");
    ASSERT_TRUE(waitForColour(window, 10, 10, {10, 12, 30}, seconds(10))) << "no round";
    ASSERT_TRUE(waitForColour(window, 240, 428, {200, 200, 210}, seconds(5))) << "no paddle";
    x.holdKey(window, "Right", 400);
    EXPECT_TRUE(waitForColour(window, 240, 428, {10, 12, 30}, seconds(5))) << "paddle stayed";
    x.holdKey(window, "Escape");
    ASSERT_TRUE(waitForColour(window, 10, 200, {210, 50, 70}, seconds(10))) << "no game over";
    x.holdKey(window, "space");
    ASSERT_TRUE(waitForColour(window, 10, 10, {24, 28, 64}, seconds(10))) << "no title again";
    x.holdKey(window, "Escape");
    int code = -1;
    ASSERT_TRUE(game.wait(seconds(10), code)) << "the program did not end";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(fs::file_size(folder / "Vorblet.dat"), 24u);
}

TEST_F(WindowTest, ClosingTheWindowEndsTheProgramFromAnyScreen) {
    for (const char* where : {"title", "round"}) {
        fs::path folder = makeGameFolder(where);
        ChildProcess game(folder, VORBLET_BINARY, x.name());
        unsigned long window = x.findWindow("Vorblet v1.0.5", seconds(20));
        ASSERT_NE(window, 0u) << where;
        ASSERT_TRUE(waitForColour(window, 10, 10, {24, 28, 64}, seconds(20))) << where;
        if (std::string(where) == "round") {
            x.holdKey(window, "space");
            ASSERT_TRUE(waitForColour(window, 10, 10, {10, 12, 30}, seconds(10)));
        }
        x.requestClose(window);
        int code = -1;
        ASSERT_TRUE(game.wait(seconds(5), code)) << where << ": the program did not end";
        EXPECT_EQ(code, 0) << where;
        EXPECT_TRUE(fs::exists(folder / "Vorblet.dat")) << where;
    }
}

TEST(NoDisplayTest, SaysSoAndSuggestsHeadless) {
    fs::path folder = makeGameFolder("nodisplay");
    std::string command = "cd '" + folder.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY '" +
                          VORBLET_BINARY + "' 2> stderr.txt";
    int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(readFile(folder / "stderr.txt").find("--headless"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder / "Vorblet.dat"));
}

} // namespace
