#include "screens/title_screen.h"

#include "game/paddle.h"
#include "gfx/blit.h"
#include "input/frame_pacer.h"
#include "screen_fixture.h"

using namespace screentest;
using namespace platform;
using platform::probe::kJoyFire;
namespace probe = platform::probe;

namespace {

// The fade before the first pass lasts 20 frames of 33 ms from a frame mark at 0.
constexpr uint32_t firstPassMs = 660;

using TitleScreen = ScreenTest;

void releaseAll() {
    dropScheduled();
    for (int key :
         {kKeySpace, kKeyEscape, kKeyShift, kKeyTab, kKeyControl, kKeyLeftButton, kKeyRightButton})
        probe::setKey(key, false);
    probe::setJoystick(false);
}

struct Held {
    const char* name;
    std::vector<int> keys;
    GameMode expected;
    int32_t expectedMouseControl; // -1: not written
};

TEST_F(TitleScreen, HeldKeysChooseTheVariantAndHowTheRoundWasStarted) {
    const Held cases[] = {
        {"Space alone", {kKeySpace}, NORMAL, 0},
        {"Shift", {kKeyShift, kKeySpace}, BENCH, 0},
        {"Tab and Control", {kKeyTab, kKeyControl, kKeySpace}, ULTRA, 0},
        {"Shift over Tab and Control", {kKeyShift, kKeyTab, kKeyControl, kKeySpace}, BENCH, 0},
        {"Shift over Tab", {kKeyShift, kKeyTab, kKeySpace}, BENCH, 0},
        {"Tab", {kKeyTab, kKeySpace}, SUPER, 0},
        {"Control", {kKeyControl, kKeySpace}, HYPER, 0},
        {"joystick button", {kJoyFire}, NORMAL, 0},
        {"left button", {kKeyLeftButton}, NORMAL, 1},
        {"left button with Control", {kKeyControl, kKeyLeftButton}, HYPER, 1},
        {"left button with Tab", {kKeyTab, kKeyLeftButton}, SUPER, 1},
        {"Space with the left button", {kKeySpace, kKeyLeftButton}, NORMAL, 0},
        {"joystick button with the left button", {kJoyFire, kKeyLeftButton, kKeyShift}, BENCH, 0},
        {"Escape alone", {kKeyEscape}, QUIT, -1},
        {"Escape with a modifier and no start", {kKeyEscape, kKeyTab}, QUIT, -1},
        {"Escape and Space", {kKeyEscape, kKeySpace}, QUIT, 0},
        {"Escape and the left button", {kKeyEscape, kKeyLeftButton}, QUIT, 1},
        {"Escape and Space with Control", {kKeyEscape, kKeySpace, kKeyControl}, HYPER, 0},
        {"Escape and Space with Shift", {kKeyEscape, kKeySpace, kKeyShift}, BENCH, 0},
    };
    for (const Held& c : cases) {
        releaseAll();
        const uint32_t start = tickCount();
        startFrameTimer();
        for (int key : c.keys) {
            if (key == kJoyFire)
                probe::setJoystick(true, 32768, true);
            else
                probe::setKey(key, true);
        }
        mouseControl = -1;
        EXPECT_EQ(runTitleScreen(), c.expected) << c.name;
        EXPECT_EQ(mouseControl, c.expectedMouseControl) << c.name;
        // Decided in the first pass: two polls of the buttons after the fade.
        EXPECT_EQ(tickCount(), start + firstPassMs + 2) << c.name;
    }
}

TEST_F(TitleScreen, TheRightButtonHoldsBackTheLeft) {
    probe::setKey(kKeyLeftButton, true);
    hold(kKeyRightButton, 0, 2000);
    mouseControl = 0;
    EXPECT_EQ(runTitleScreen(), NORMAL);
    EXPECT_EQ(mouseControl, 1);
    EXPECT_GE(tickCount(), 2000u);
    EXPECT_LT(tickCount(), 2010u);
}

TEST_F(TitleScreen, TheRightButtonAloneNeverStarts) {
    probe::setKey(kKeyRightButton, true);
    schedule(3000, kKeyEscape, true);
    mouseControl = 7;
    EXPECT_EQ(runTitleScreen(), QUIT);
    EXPECT_EQ(mouseControl, 7);
    EXPECT_GE(tickCount(), 3000u);
}

TEST_F(TitleScreen, EscapeEndsThePassInWhichItIsSeen) {
    hold(kKeyEscape, 1500, 1600);
    EXPECT_EQ(runTitleScreen(), QUIT);
    EXPECT_GE(tickCount(), 1500u);
    EXPECT_LT(tickCount(), 1505u);
}

TEST_F(TitleScreen, AClosedWindowEndsTheScreenBeforeItsFirstPass) {
    quitRequested.store(1);
    probe::setKey(kKeyEscape, true);
    mouseControl = 7;
    // No pass: Escape is never read, so the result stays NORMAL and the play loop stops on the
    // flag instead.
    EXPECT_EQ(runTitleScreen(), NORMAL);
    EXPECT_EQ(mouseControl, 7);
    EXPECT_EQ(tickCount(), firstPassMs);
    EXPECT_EQ(probe::takeSoundEvents(), (std::vector<std::string>{"play 131 0", "stop 131 0"}));
}

TEST_F(TitleScreen, TheFanfareLeadsIntoTheLoopTuneWhichStopsWhenTheScreenIsLeft) {
    // Long enough for the fanfare to end and the loop tune to begin.
    schedule(8000, kKeySpace, true);
    EXPECT_EQ(runTitleScreen(), NORMAL);
    EXPECT_EQ(probe::takeSoundEvents(),
              (std::vector<std::string>{"play 131 0", "play 132 0", "stop 132 0"}));
    EXPECT_EQ(musicSlot.clip, nullptr);
}

TEST_F(TitleScreen, WithSoundDisabledTheScreenStillWorks) {
    closeSound();
    probe::resetHeadless(true);
    startFrameTimer();
    EXPECT_NE(openSounds(), 1);
    probe::takeSoundEvents();
    schedule(1000, kKeyControl, true);
    schedule(1000, kKeySpace, true);
    EXPECT_EQ(runTitleScreen(), HYPER);
    // The sticky error answers every call; nothing reaches the device.
    const std::string error = std::to_string(kAudioErrorNoDevice);
    EXPECT_EQ(probe::takeSoundEvents(),
              (std::vector<std::string>{"play 131 " + error, "stop 131 " + error}));
}

// Between passes the screen sleeps 1 ms, so with the two polls of the buttons its passes are
// 3 ms of virtual time apart. A Space that is down only on every other millisecond is therefore
// met within two passes, whichever millisecond it starts on; polling flat out, 2 ms apart, would
// meet it on every pass or on none.
TEST_F(TitleScreen, PassesYieldTheProcessorBetweenPolls) {
    for (uint32_t phase : {0u, 1u}) {
        releaseAll();
        startFrameTimer();
        const uint32_t first = tickCount() + 1000 + phase;
        for (uint32_t ms = first; ms < first + 400; ms += 2)
            hold(kKeySpace, ms, ms + 1);
        schedule(first + 400, kKeyEscape, true);
        EXPECT_EQ(runTitleScreen(), NORMAL) << "phase " << phase;
        EXPECT_LT(tickCount(), first + 8) << "phase " << phase;
    }
}

TEST_F(TitleScreen, ShowsTheTitlePictureAndLeavesTheBareBackdropOnTheFieldLayer) {
    probe::setKey(kKeySpace, true);
    runTitleScreen();
    const Picture& window = probe::windowPicture();
    int32_t artPixels = 0;
    for (int32_t y = 0; y < 460; ++y) {
        for (int32_t x = 0; x < 640; ++x)
            ASSERT_EQ(pictureAt(window, x, y), pixelAt(bgLayer, x, y)) << x << "," << y;
    }
    // The title art, white transparent, at (128, 64) over the backdrop; fieldLayer has only the
    // backdrop there.
    for (int32_t y = 0; y < 128; ++y) {
        for (int32_t x = 0; x < 512; x += 3) {
            const Pixel art = pixelAt(titleSheet, x, y);
            const Pixel tile = pixelAt(backdropSheet, (64 + x) % 128, (128 + y) % 128);
            if (x + 64 < 480) {
                ASSERT_EQ(pixelAt(fieldLayer, 64 + x, 128 + y), tile);
            }
            if (art.isWhite()) {
                ASSERT_EQ(pixelAt(bgLayer, 64 + x, 128 + y), tile);
            } else {
                ASSERT_EQ(pixelAt(bgLayer, 64 + x, 128 + y), art);
                ++artPixels;
            }
        }
    }
    EXPECT_GT(artPixels, 1000);
    // The prompt and the credit line are drawn over the backdrop on bgLayer only.
    auto differsFromField = [](int32_t top, int32_t left, int32_t height, int32_t width) {
        for (int32_t y = top; y < top + height; ++y)
            for (int32_t x = left; x < left + width; ++x)
                if (!(pixelAt(bgLayer, x, y) == pixelAt(fieldLayer, x, y))) return true;
        return false;
    };
    EXPECT_TRUE(differsFromField(339, 159, 17, 320));
    EXPECT_TRUE(differsFromField(444, 32, 16, 304));
    EXPECT_FALSE(differsFromField(300, 16, 30, 400));
}

} // namespace
