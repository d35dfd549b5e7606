#include "platform/window_picture.h"
#include "support/bmp_image.h"
#include "support/game_run.h"
#include "support/x_display.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

constexpr const char* kCaption = "Vorblet v1.0.5";
// Deadlines for a loaded 2-core machine running the sanitizer build: generous, since they only
// bound how long a failing test takes; a passing one goes on as soon as what it waits for comes.
constexpr seconds kToAppear(60);
constexpr seconds kToShow(60);
constexpr seconds kToEnd(30);

// The scores a run with no score file saves when nothing beat them.
const std::string kDefaultScores("\x1e\0\0\0\x1e\0\0\0\x1e\0\0\0\0\0\0\0\x1e\0\0\0\x1e\0\0\0", 24);

// The title screen as the headless backend draws it, long after its fade-in has finished.
const BmpImage& headlessTitle() {
    static const BmpImage title = [] {
        fs::path folder = makeGameFolder("reference");
        GameRun run =
            runHeadless(folder, "6000 down ESCAPE\n6100 up ESCAPE\n", {"--shot", "5000:title.bmp"});
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        return readBmpImage(folder / "title.bmp");
    }();
    return title;
}

// A rectangle of a sheet in the game folder, as top-down pixels.
struct Cell {
    BmpImage sheet;
    int top, left, height, width;
};

int32_t savedNormalScore(const fs::path& folder) {
    std::string scores = readFile(folder / "Vorblet.dat");
    int32_t normal = -1;
    if (scores.size() >= 24) // NORMAL is the fifth entry; none of our test scores holds a 0x0A
        std::memcpy(&normal, scores.data() + scores.size() - 8, 4);
    return normal;
}

class WindowTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(x.ok()) << "Xvfb did not start";
        ASSERT_EQ(headlessTitle().width, 640) << "no headless title picture to compare with";
    }

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
        if (picture.pixels.size() < size_t(640) * 460 * 3) return false;
        for (int y = 0; y < cell.height; ++y)
            for (int x = 0; x < cell.width; ++x) {
                if (cell.sheet.isWhite(cell.left + x, cell.top + y)) continue;
                if (std::memcmp(picture.at(left + x, top + y),
                                cell.sheet.at(cell.left + x, cell.top + y), 3) != 0)
                    return false;
            }
        return true;
    }

    // The panel's high-score number (top 152, left 496, 16 × 128) as the window shows it.
    std::vector<uint8_t> highScoreShown(unsigned long window) {
        BmpImage picture = grab(window);
        std::vector<uint8_t> area;
        if (picture.pixels.size() < size_t(640) * 460 * 3) return area;
        for (int y = 152; y < 168; ++y)
            area.insert(area.end(), picture.at(496, y), picture.at(496, y) + 128 * 3);
        return area;
    }

    // The paddle's pixel left on its row, or -1 when it is not to be seen.
    int paddleLeft(unsigned long window) {
        BmpImage picture = grab(window);
        for (int left = 80; left <= 336; ++left)
            if (cellShows(picture, paddle, left, 432)) return left;
        return -1;
    }

    // Starts the game in a fresh folder, or in `folder` as the test prepared it, and waits for its
    // window.
    unsigned long start(const std::string& name, const std::vector<std::string>& environment = {},
                        bool freshFolder = true, const std::vector<std::string>& arguments = {}) {
        if (freshFolder) folder = makeGameFolder(name);
        game = std::make_unique<ChildProcess>(folder, VORBLET_BINARY, x.name(), environment,
                                              arguments);
        unsigned long window = x.findWindow(kCaption, kToAppear);
        EXPECT_NE(window, 0u) << name << ": no window";
        return window;
    }

    // The picture dimmed under the two white bars of the pause mark.
    static bool pauseMarkShows(const BmpImage& picture) {
        if (picture.pixels.size() < size_t(640) * 460 * 3) return false;
        const uint8_t white[3] = {255, 255, 255};
        return std::memcmp(picture.at(306, 230), white, 3) == 0 &&
               std::memcmp(picture.at(334, 230), white, 3) == 0 &&
               std::memcmp(picture.at(320, 230), white, 3) != 0;
    }

    // Every pixel of the headless title as a sharp scale x scale block at (left, top).
    static bool showsScaled(const BmpImage& picture, int scale, int left, int top) {
        const BmpImage& title = headlessTitle();
        if (picture.pixels.size() < size_t(picture.width) * picture.height * 3 ||
            picture.width < left + 640 * scale || picture.height < top + 460 * scale)
            return false;
        for (int y = 0; y < 460 * scale; ++y)
            for (int x = 0; x < 640 * scale; ++x)
                if (std::memcmp(picture.at(left + x, top + y), title.at(x / scale, y / scale), 3) !=
                    0)
                    return false;
        return true;
    }

    bool titleShows(unsigned long window) {
        return waitFor([&] { return samePicture(grab(window), headlessTitle()); }, kToShow);
    }

    // Space on the title, held until the round's paddle shows.
    bool startRound(unsigned long window) {
        x.keyDown(window, "space");
        bool started = waitFor([&] { return paddleLeft(window) >= 0; }, kToShow);
        x.keyUp("space");
        return started;
    }

    // Plays on until the round's score passes the high score of 30, which the panel then shows.
    bool scoreBeatsTheHighScore(unsigned long window) {
        std::vector<uint8_t> before = highScoreShown(window);
        return waitFor([&] { return highScoreShown(window) != before; }, kToShow);
    }

    bool bandShows(unsigned long window) {
        return waitFor([&] { return cellShows(grab(window), band, 0, 128); }, kToShow);
    }

    int ends() {
        int code = -1;
        return game->wait(kToEnd, code) ? code : -1;
    }

    XTestDisplay x;
    fs::path folder;
    std::unique_ptr<ChildProcess> game;
    const Cell paddle{readBmpImage(fs::path(VORBLET_GAME_DIR) / "BMP" / "131.bmp"), 48, 0, 16, 64};
    const Cell band{readBmpImage(fs::path(VORBLET_GAME_DIR) / "BMP" / "129.bmp"), 128, 8, 128, 480};
};

TEST_F(WindowTest, APlayerMeetsEveryScreenAndTheHighScoreIsSaved) {
    unsigned long window = start("play");
    ASSERT_NE(window, 0u);
    EXPECT_EQ(x.windowName(window), kCaption);
    BmpImage first = grab(window);
    EXPECT_EQ(first.width, 640);
    EXPECT_EQ(first.height, 460);

    // After the logo and the fade the window shows exactly the headless title picture.
    ASSERT_TRUE(titleShows(window)) << "the title screen never matched the headless picture";
    ASSERT_TRUE(startRound(window)) << "no round: the paddle never showed";
    int before = paddleLeft(window);
    x.keyDown(window, "Right");
    int after = -1;
    EXPECT_TRUE(waitFor([&] { return (after = paddleLeft(window)) > before; }, kToShow))
        << "the paddle did not move right: " << before << " then " << after;
    x.keyUp("Right");

    ASSERT_TRUE(scoreBeatsTheHighScore(window)) << "the panel's high score never changed";
    x.holdKey(window, "Escape");
    ASSERT_TRUE(bandShows(window)) << "no game-over band";
    x.holdKey(window, "space");
    ASSERT_TRUE(titleShows(window)) << "the title did not come back";

    x.holdKey(window, "Escape");
    EXPECT_EQ(ends(), 0) << game->errors();
    int32_t normal = savedNormalScore(folder);
    EXPECT_GT(normal, 30) << "the round's high score was not saved";
    EXPECT_EQ(normal % 10, 0);
}

// The trace's lines without their times: a window session's times are those of the real clock.
std::vector<std::string> untimed(const std::vector<std::string>& trace) {
    std::vector<std::string> lines;
    for (const std::string& line : trace)
        lines.push_back(line.substr(line.find(' ') + 1));
    return lines;
}

std::vector<std::string> traceLines(const fs::path& file) {
    std::vector<std::string> lines;
    std::istringstream text(readFile(file));
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

// Replays the window session recorded in `recorded` headless in a fresh folder: the pictures,
// the sounds, the exit and the score file are those of the recorded run.
void expectTheReplayShowsTheSession(const fs::path& recorded, const std::string& finalHash) {
    fs::path folder = makeGameFolder("replay");
    GameRun replay = runProgram(folder, {"--replay", (recorded / "session.rec").string(), "--trace",
                                         "trace.txt", "--scores", "scores.dat"});
    EXPECT_EQ(replay.exitCode, 0);
    EXPECT_EQ(replay.errors, "");
    const std::vector<std::string> window = untimed(traceLines(recorded / "trace.txt"));
    const std::vector<std::string> replayed = untimed(replay.trace);
    EXPECT_GT(linesContaining(window, "present").size(), 100u);
    EXPECT_FALSE(linesContaining(window, "sound play").empty());
    EXPECT_EQ(replayed, window);
    const std::vector<std::string> presents = linesContaining(replayed, "present ");
    ASSERT_FALSE(presents.empty());
    if (!finalHash.empty()) {
        EXPECT_EQ(presents.back(), "present " + finalHash);
    }
    EXPECT_EQ(readFile(folder / "scores.dat"), readFile(recorded / "Vorblet.dat"));
    EXPECT_FALSE(fs::exists(folder / "Vorblet.dat"));
    // Well under a megabyte for ten minutes: under half of that rate.
    const double sessionMs = std::stod(traceLines(recorded / "trace.txt").back());
    EXPECT_LT(double(fs::file_size(recorded / "session.rec")), sessionMs * 0.87);
}

std::string hashOf(const BmpImage& picture) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx",
                  static_cast<unsigned long long>(platform::hashPicture(picture.pixels)));
    return text;
}

// A player's session recorded in the window: the logo, the title, a round with the paddle
// moving, the game over, the title again and Escape to quit. Replayed without a window, it shows
// what the window showed, down to the last picture, and saves the same scores.
TEST_F(WindowTest, ARecordedSessionReplaysHeadlessExactly) {
    unsigned long window =
        start("record", {}, true, {"--record", "session.rec", "--trace", "trace.txt"});
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(titleShows(window));
    ASSERT_TRUE(startRound(window));
    int before = paddleLeft(window);
    x.keyDown(window, "Right");
    EXPECT_TRUE(waitFor([&] { return paddleLeft(window) > before; }, kToShow));
    x.keyUp("Right");
    ASSERT_TRUE(scoreBeatsTheHighScore(window));
    x.holdKey(window, "Escape");
    ASSERT_TRUE(bandShows(window));
    x.holdKey(window, "space");
    ASSERT_TRUE(titleShows(window));
    const std::string last = hashOf(grab(window));
    x.holdKey(window, "Escape");
    ASSERT_EQ(ends(), 0) << game->errors();
    expectTheReplayShowsTheSession(folder, last);
}

// The player closes the window in the middle of a round: the replay ends at the same point.
TEST_F(WindowTest, ASessionClosedByThePlayerReplaysToItsClose) {
    unsigned long window =
        start("closed", {}, true, {"--record", "session.rec", "--trace", "trace.txt"});
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(titleShows(window));
    ASSERT_TRUE(startRound(window));
    ASSERT_TRUE(scoreBeatsTheHighScore(window));
    x.requestClose(window);
    ASSERT_EQ(ends(), 0) << game->errors();
    expectTheReplayShowsTheSession(folder, "");

    // Watched in a window, it plays to the same close and the same scores.
    const fs::path recorded = folder;
    folder = makeGameFolder("watched");
    game = std::make_unique<ChildProcess>(
        folder, VORBLET_BINARY, x.name(), std::vector<std::string>{},
        std::vector<std::string>{"--replay", (recorded / "session.rec").string(), "--watch",
                                 "--scores", "scores.dat"});
    EXPECT_NE(x.findWindow(kCaption, kToAppear), 0u);
    int code = -1;
    ASSERT_TRUE(game->wait(kToEnd + seconds(60), code)) << "the watched replay did not end";
    EXPECT_EQ(code, 0) << game->errors();
    EXPECT_EQ(game->errors().find("vorblet:"), std::string::npos) << game->errors();
    EXPECT_EQ(readFile(folder / "scores.dat"), readFile(recorded / "Vorblet.dat"));
    EXPECT_FALSE(fs::exists(folder / "Vorblet.dat"));
}

// A close sees the game end at its next flag test: a round or the game-over sequence at its next
// frame, the logo only once it has played. Either way the scores are saved and the exit is clean.
TEST_F(WindowTest, ClosingTheWindowEndsTheProgramAndSavesTheScores) {
    for (const char* where : {"logo", "round", "gameover"}) {
        SCOPED_TRACE(where);
        unsigned long window = start(where);
        ASSERT_NE(window, 0u);
        bool inRound = std::string(where) != "logo";
        if (inRound) {
            ASSERT_TRUE(titleShows(window));
            ASSERT_TRUE(startRound(window));
            ASSERT_TRUE(scoreBeatsTheHighScore(window));
            if (std::string(where) == "gameover") {
                x.holdKey(window, "Escape");
                ASSERT_TRUE(bandShows(window)) << "no game-over band";
            }
        }
        x.requestClose(window);
        EXPECT_EQ(ends(), 0) << "the program did not end cleanly: " << game->errors();
        if (inRound)
            EXPECT_GT(savedNormalScore(folder), 30) << "the round's high score was not saved";
        else
            EXPECT_EQ(readFile(folder / "Vorblet.dat"), kDefaultScores);
    }
}

// The game ends by itself (Escape on the title) and the player closes the window while the game's
// request to close it is still on its way: the main thread has already left its pump when the
// request comes. A hook holds the game thread at exactly that point.
TEST_F(WindowTest, TheGamesOwnEndAndAPlayersCloseAtOnceStillEnd) {
    unsigned long window = start("race", {"VORBLET_TEST_HOOK=hold-destroy"});
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(titleShows(window));
    x.holdKey(window, "Escape");
    ASSERT_TRUE(waitFor(
        [&] { return game->errors().find("hold-destroy reached") != std::string::npos; }, kToEnd))
        << "the game did not end by itself: " << game->errors();
    x.requestClose(window);
    EXPECT_EQ(ends(), 0) << "the program hung or failed: " << game->errors();
    EXPECT_EQ(readFile(folder / "Vorblet.dat"), kDefaultScores);
}

// Another program destroys the window during a round (xdotool windowclose), at a different moment
// of it each time: the game ends as after a close, saves the scores, and says why, every time. The
// first run plays on until the round's high score is one to save.
TEST_F(WindowTest, AWindowDestroyedByAnotherProgramEndsTheGameCleanly) {
    for (int run = 0; run < 8; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        unsigned long window = start("destroyed" + std::to_string(run));
        ASSERT_NE(window, 0u);
        ASSERT_TRUE(titleShows(window));
        ASSERT_TRUE(startRound(window));
        if (run == 0) {
            ASSERT_TRUE(scoreBeatsTheHighScore(window));
        } else {
            std::this_thread::sleep_for(milliseconds(37 * run % 300));
        }
        x.destroyWindow(window);
        EXPECT_EQ(ends(), 0) << game->errors();
        EXPECT_EQ(readFile(folder / "Vorblet.dat").size(), 24u) << "the scores were not saved";
        if (run == 0) {
            EXPECT_GT(savedNormalScore(folder), 30) << "the round's high score was not saved";
        }
        EXPECT_NE(game->errors().find("window was destroyed"), std::string::npos) << game->errors();
    }
}

// The display goes away during a round (the X server dies): the game thread stops, the scores are
// saved, the reason goes to stderr and the exit code says the game did not end normally.
TEST_F(WindowTest, ALostDisplayEndsTheGameAndKeepsTheScores) {
    XTestDisplay doomed;
    ASSERT_TRUE(doomed.ok());
    folder = makeGameFolder("lost");
    game = std::make_unique<ChildProcess>(folder, VORBLET_BINARY, doomed.name());
    unsigned long window = doomed.findWindow(kCaption, kToAppear);
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(waitFor(
        [&] {
            BmpImage picture;
            picture.pixels = doomed.readPixels(window, picture.width, picture.height);
            return samePicture(picture, headlessTitle());
        },
        kToShow));
    doomed.keyDown(window, "space");
    ASSERT_TRUE(waitFor(
        [&] {
            BmpImage picture;
            picture.pixels = doomed.readPixels(window, picture.width, picture.height);
            return !samePicture(picture, headlessTitle()); // the round's fade has begun
        },
        kToShow));
    doomed.keyUp("space");
    doomed.killServer();
    EXPECT_EQ(ends(), 1) << game->errors();
    EXPECT_TRUE(fs::exists(folder / "Vorblet.dat")) << "the scores were not saved";
    EXPECT_NE(game->errors().find("lost the connection to the display"), std::string::npos)
        << game->errors();
}

// A game thread that never comes back (a score file on a hung network folder, stood in for by a
// hook) cannot keep the program alive: a close, SIGTERM or SIGINT ends it a few seconds later.
TEST_F(WindowTest, AHungGameStillEndsAfterACloseOrAQuitSignal) {
    struct Case {
        const char* name;
        int signal; // 0: the player closes the window
    };
    for (const Case& c : {Case{"close", 0}, Case{"sigterm", SIGTERM}, Case{"sigint", SIGINT}}) {
        SCOPED_TRACE(c.name);
        unsigned long window = start(c.name, {"VORBLET_TEST_HOOK=stall-open:Vorblet.dat"});
        ASSERT_NE(window, 0u);
        ASSERT_TRUE(
            waitFor([&] { return game->errors().find("stall-open reached") != std::string::npos; },
                    kToShow))
            << game->errors();
        if (c.signal == 0)
            x.requestClose(window);
        else
            game->signal(c.signal);
        EXPECT_EQ(ends(), 1) << game->errors();
        EXPECT_NE(game->errors().find("quitting without saving"), std::string::npos)
            << game->errors();
    }
}

// Keys and clicks meant for another program do not reach the game: it pauses, the title stays
// up, and it goes on when the player comes back. P pauses and resumes a round: the picture stands
// still, dimmed under a pause mark, until P again.
TEST_F(WindowTest, PAndTheLossOfTheFocusPauseTheGame) {
    unsigned long window = start("pause");
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(titleShows(window));
    x.actInAnotherWindow("space", 600);
    x.actInAnotherWindow("Escape", 600);
    EXPECT_TRUE(pauseMarkShows(grab(window))) << "no pause without the focus";
    x.keyDown(window, "Control_L"); // the focus comes back: the title, and nothing started
    EXPECT_TRUE(titleShows(window)) << "a round started behind the player";
    x.keyUp("Control_L");

    ASSERT_TRUE(startRound(window)) << "the game no longer takes its own keys";
    x.holdKey(window, "p", 200);
    ASSERT_TRUE(waitFor([&] { return pauseMarkShows(grab(window)); }, kToShow));
    const BmpImage held = grab(window);
    std::this_thread::sleep_for(milliseconds(700));
    EXPECT_TRUE(samePicture(grab(window), held)) << "the round went on during the pause";
    x.holdKey(window, "p", 200);
    EXPECT_TRUE(waitFor(
        [&] {
            const BmpImage now = grab(window);
            return !pauseMarkShows(now) && !samePicture(now, held);
        },
        kToShow))
        << "the round did not go on after the pause";
    // Closed while paused, the game still ends at once and saves the round's high score.
    x.holdKey(window, "p", 200);
    ASSERT_TRUE(waitFor([&] { return pauseMarkShows(grab(window)); }, kToShow));
    x.requestClose(window);
    EXPECT_EQ(ends(), 0) << game->errors();
    EXPECT_EQ(readFile(folder / "Vorblet.dat").size(), 24u);
}

// A broken settings file starts with the defaults; the window then scales by whole numbers,
// sharp and centred, in a window and fullscreen, and remembers what the player chose.
TEST_F(WindowTest, TheWindowScalesByWholeNumbersAndGoesFullscreen) {
    folder = makeGameFolder("scale");
    const fs::path config = folder / "config" / "vorblet";
    fs::create_directories(config);
    std::ofstream(config / "vorblet.ini") << "scale=banana\n";
    unsigned long window = start("scale", {}, false);
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(titleShows(window));
    EXPECT_NE(game->errors().find("using the default settings"), std::string::npos)
        << game->errors();
    EXPECT_EQ(x.iconWidth(window), 64) << "the window has no icon of ours";

    x.resizeWindow(window, 1280, 920);
    EXPECT_TRUE(waitFor([&] { return showsScaled(grab(window), 2, 0, 0); }, kToShow))
        << "no sharp 2 x 2 picture in a 1280 x 920 window";

    x.requestClose(window);
    EXPECT_EQ(ends(), 0) << game->errors();
    const std::string saved = readFile(config / "vorblet.ini");
    EXPECT_NE(saved.find("scale = 2\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("fullscreen = 0\n"), std::string::npos) << saved;
}

// Under a window manager, F11 (or Alt+Enter) fills the screen with the picture at the largest
// whole scale, centred on black, and the same key again gives the window back.
TEST_F(WindowTest, F11FillsTheScreenWithTheCentredPicture) {
    ASSERT_TRUE(x.startWindowManager()) << "no window manager (openbox)";
    unsigned long window = start("fullscreen");
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(titleShows(window));
    int screenWidth = 0, screenHeight = 0;
    x.screenSize(screenWidth, screenHeight);
    const int scale = std::min(screenWidth / 640, screenHeight / 460);
    for (const char* key : {"F11", "alt+Return"}) {
        x.holdKey(window, key, 200);
        EXPECT_TRUE(waitFor(
            [&] {
                const BmpImage picture = grab(window);
                return picture.width == screenWidth && picture.height == screenHeight &&
                       showsScaled(picture, scale, (screenWidth - 640 * scale) / 2,
                                   (screenHeight - 460 * scale) / 2);
            },
            kToShow))
            << key << " did not fill the screen with the picture centred at scale " << scale;
        x.holdKey(window, key, 200);
        EXPECT_TRUE(waitFor([&] { return grab(window).width < screenWidth; }, kToShow)) << key;
    }
    x.requestClose(window);
    EXPECT_EQ(ends(), 0) << game->errors();
}

// M silences everything the mixer plays, recorded here through SDL's disk audio driver, and M
// again brings it back; the choice is remembered.
TEST_F(WindowTest, MSilencesTheSoundAndBringsItBack) {
    folder = makeGameFolder("mute");
    const fs::path audio = folder / "audio.raw";
    unsigned long window =
        start("mute", {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + audio.string()}, false);
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(titleShows(window));
    // Whether the samples written after the first `from` bytes hold anything but silence.
    auto soundAfter = [&](size_t from) {
        const std::string samples = readFile(audio);
        return samples.size() > from && samples.find_first_not_of('\0', from) != std::string::npos;
    };
    ASSERT_TRUE(waitFor([&] { return soundAfter(0); }, kToShow)) << "no title music to mute";
    x.holdKey(window, "m", 200);
    std::this_thread::sleep_for(milliseconds(500)); // what was mixed before the key has gone out
    const size_t muted = readFile(audio).size();
    std::this_thread::sleep_for(milliseconds(1500));
    EXPECT_GT(readFile(audio).size(), muted + 44100) << "the mixer stopped instead";
    EXPECT_FALSE(soundAfter(muted)) << "sound after M";
    x.holdKey(window, "m", 200);
    const size_t unmuted = readFile(audio).size();
    EXPECT_TRUE(waitFor([&] { return soundAfter(unmuted); }, kToShow)) << "no sound after M again";
    x.requestClose(window);
    EXPECT_EQ(ends(), 0) << game->errors();
    EXPECT_NE(readFile(folder / "config/vorblet/vorblet.ini").find("mute = 0\n"),
              std::string::npos);
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

// The viewer may close a watched replay's window at any time: that is the end the viewer asked
// for, not a replay gone astray, so the program ends cleanly and says nothing.
TEST_F(WindowTest, AWatchedReplayClosedByTheViewerEndsCleanly) {
    const fs::path recorded = makeGameFolder("long-session");
    GameRun session = runHeadless(recorded,
                                  "3000 down SPACE\n3100 up SPACE\n30000 down ESCAPE\n"
                                  "30100 up ESCAPE\n31000 down SPACE\n31100 up SPACE\n"
                                  "35000 down ESCAPE\n35100 up ESCAPE\n",
                                  {"--record", "session.rec"});
    ASSERT_EQ(session.exitCode, 0) << session.errors;
    folder = makeGameFolder("viewer");
    game = std::make_unique<ChildProcess>(
        folder, VORBLET_BINARY, x.name(), std::vector<std::string>{},
        std::vector<std::string>{"--replay", (recorded / "session.rec").string(), "--watch",
                                 "--scores", "scores.dat"});
    unsigned long window = x.findWindow(kCaption, kToAppear);
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(titleShows(window));
    x.requestClose(window);
    EXPECT_EQ(ends(), 0) << game->errors();
    EXPECT_EQ(game->errors().find("vorblet:"), std::string::npos) << game->errors();
    EXPECT_EQ(readFile(folder / "scores.dat").size(), 24u);
}

} // namespace
