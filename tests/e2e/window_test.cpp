#include "support/bmp_image.h"
#include "support/game_run.h"
#include "support/x_display.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/wait.h>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

constexpr const char* kCaption = "Vorblet v1.0.5";

// The title screen as the headless backend draws it, long after its fade-in has finished.
BmpImage headlessTitle() {
    fs::path folder = makeGameFolder("reference");
    GameRun run =
        runHeadless(folder, "6000 down ESCAPE\n6100 up ESCAPE\n", {"--shot", "5000:title.bmp"});
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    return readBmpImage(folder / "title.bmp");
}

// A rectangle of a sheet in the game folder, as top-down pixels.
struct Cell {
    BmpImage sheet;
    int top, left, height, width;
};

class WindowTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(x.ok()) << "Xvfb did not start"; }

    BmpImage grab(unsigned long window) {
        BmpImage image;
        image.pixels = x.readPixels(window, image.width, image.height);
        return image;
    }

    static bool samePicture(const BmpImage& a, const BmpImage& b) {
        return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
    }

    // True when every non-white pixel of the cell shows at (left, top) of the picture.
    static bool cellShows(const BmpImage& picture, const Cell& cell, int left, int top) {
        if (picture.pixels.empty()) return false;
        for (int y = 0; y < cell.height; ++y)
            for (int x = 0; x < cell.width; ++x) {
                if (cell.sheet.isWhite(cell.left + x, cell.top + y)) continue;
                if (std::memcmp(picture.at(left + x, top + y),
                                cell.sheet.at(cell.left + x, cell.top + y), 3) != 0)
                    return false;
            }
        return true;
    }

    // The paddle's pixel left on its row, or -1 when it is not to be seen.
    int paddleLeft(unsigned long window, const Cell& paddle) {
        BmpImage picture = grab(window);
        for (int left = 80; left <= 336; ++left)
            if (cellShows(picture, paddle, left, 432)) return left;
        return -1;
    }

    XTestDisplay x;
};

TEST_F(WindowTest, APlayerMeetsEveryScreenAndTheHighScoreIsSaved) {
    BmpImage title = headlessTitle();
    ASSERT_EQ(title.width, 640);
    fs::path folder = makeGameFolder("play");
    const Cell paddle{readBmpImage(folder / "BMP" / "131.bmp"), 48, 0, 16, 64};
    const Cell band{readBmpImage(folder / "BMP" / "129.bmp"), 128, 8, 128, 480};

    ChildProcess game(folder, VORBLET_BINARY, x.name());
    unsigned long window = x.findWindow(kCaption, seconds(20));
    ASSERT_NE(window, 0u);
    EXPECT_EQ(x.windowName(window), kCaption);
    BmpImage first = grab(window);
    EXPECT_EQ(first.width, 640);
    EXPECT_EQ(first.height, 460);

    // After the logo and the fade the window shows exactly the headless title picture.
    ASSERT_TRUE(waitFor([&] { return samePicture(grab(window), title); }, seconds(30)))
        << "the title screen never matched the headless picture";

    x.holdKey(window, "space", 250);
    ASSERT_TRUE(waitFor([&] { return paddleLeft(window, paddle) >= 0; }, seconds(10)))
        << "no round: the paddle never showed";
    int before = paddleLeft(window, paddle);
    x.holdKey(window, "Right", 600);
    int after = -1;
    EXPECT_TRUE(waitFor([&] { return (after = paddleLeft(window, paddle)) > before; }, seconds(3)))
        << "the paddle did not move right: " << before << " then " << after;

    // Let the round score a little before ending it.
    std::this_thread::sleep_for(seconds(4));
    x.holdKey(window, "Escape", 250);
    ASSERT_TRUE(waitFor([&] { return cellShows(grab(window), band, 0, 128); }, seconds(10)))
        << "no game-over band";

    x.holdKey(window, "space", 250);
    ASSERT_TRUE(waitFor([&] { return samePicture(grab(window), title); }, seconds(10)))
        << "the title did not come back";

    x.holdKey(window, "Escape", 250);
    int code = -1;
    ASSERT_TRUE(game.wait(seconds(10), code)) << "the program did not end";
    EXPECT_EQ(code, 0);
    std::string scores = readFile(folder / "Vorblet.dat");
    ASSERT_GE(scores.size(), 24u);
    int32_t normal = 0;
    std::memcpy(&normal, scores.data() + scores.size() - 8, 4); // NORMAL is the fifth entry
    EXPECT_GT(normal, 30) << "the round's high score was not saved";
    EXPECT_EQ(normal % 10, 0);
}

TEST_F(WindowTest, ClosingTheWindowEndsTheProgramAndSavesTheScores) {
    const Cell band{readBmpImage(fs::path(VORBLET_GAME_DIR) / "BMP" / "129.bmp"), 128, 8, 128, 480};
    for (const char* where : {"logo", "round", "gameover"}) {
        fs::path folder = makeGameFolder(where);
        ChildProcess game(folder, VORBLET_BINARY, x.name());
        unsigned long window = x.findWindow(kCaption, seconds(20));
        ASSERT_NE(window, 0u) << where;
        auto closedAt = steady_clock::now();
        if (std::string(where) != "logo") {
            // Wait until the title loop runs, start a round, and close in the middle of it.
            std::this_thread::sleep_for(seconds(4));
            x.holdKey(window, "space", 250);
            std::this_thread::sleep_for(seconds(2));
            if (std::string(where) == "gameover") {
                x.holdKey(window, "Escape", 250);
                ASSERT_TRUE(
                    waitFor([&] { return cellShows(grab(window), band, 0, 128); }, seconds(10)))
                    << "no game-over band";
            }
            closedAt = steady_clock::now();
        }
        x.requestClose(window);
        int code = -1;
        // A round or the game-over sequence sees the close at its next frame; the logo plays to
        // its end (about 1.7 s) first. The title screen after it returns at once.
        ASSERT_TRUE(game.wait(seconds(5), code)) << where << ": the program did not end";
        EXPECT_EQ(code, 0) << where;
        EXPECT_LT(steady_clock::now() - closedAt, seconds(4)) << where;
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
