#include "game/paddle.h"
#include "gfx/blit.h"
#include "gfx/surfaces.h"
#include "platform/platform.h"
#include "support/case_name.h"
#include "support/headless_probe.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using platform::kKeyLeft;
using platform::kKeyRight;

class PaddleTest : public testing::Test {
  protected:
    void SetUp() override {
        platform::probe::resetHeadless();
        platform::probe::setJoystick(false);
        mouseControl = 0;
        initPaddle(paddle, 2000);
    }
    void TearDown() override { mouseControl = 1; }

    Pad paddle;
};

TEST_F(PaddleTest, InitPlacesItAtRestWithItsImage) {
    Pad fresh;
    EXPECT_EQ(initPaddle(fresh, 2000), 1);
    EXPECT_EQ(fresh.x, 2000);
    EXPECT_EQ(fresh.velocity, 0);
    EXPECT_EQ(fresh.sprite.mode, keyed);
    EXPECT_EQ(fresh.sprite.source, &spriteSheet);
    EXPECT_EQ(fresh.sprite.target, &backBuffer);
    EXPECT_EQ(fresh.sprite.restoreSource, &fieldLayer);
    EXPECT_EQ(fresh.sprite.srcRect.top, 48);
    EXPECT_EQ(fresh.sprite.srcRect.left, 0);
    EXPECT_EQ(fresh.sprite.srcRect.height, 16);
    EXPECT_EQ(fresh.sprite.srcRect.width, 64);
}

// One frame per row: which keys are held during it, and the speed and position after it.
struct Frame {
    bool left;
    bool right;
    int32_t velocity;
    int32_t x;
};

struct KeyCase {
    const char* name;
    int32_t startX;
    std::vector<Frame> frames;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

class PaddleKeys : public PaddleTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(PaddleKeys, AcceleratesBrakesAndStopsAtTheEnds) {
    const KeyCase& c = GetParam();
    initPaddle(paddle, c.startX);
    for (size_t i = 0; i < c.frames.size(); ++i) {
        const Frame& f = c.frames[i];
        SCOPED_TRACE("frame " + std::to_string(i + 1));
        platform::probe::setKey(kKeyLeft, f.left);
        platform::probe::setKey(kKeyRight, f.right);
        movePaddle(paddle);
        EXPECT_EQ(paddle.velocity, f.velocity);
        EXPECT_EQ(paddle.x, f.x);
        EXPECT_EQ(paddle.sprite.destRect.left, f.x / 10 + 16);
        EXPECT_EQ(paddle.sprite.destRect.top, 432);
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, PaddleKeys,
                         testing::Values(KeyCase{"TapRightThenRelease",
                                                 2000,
                                                 {{false, true, 50, 2050},
                                                  {false, false, 20, 2070},
                                                  {false, false, 0, 2070}}},
                                         KeyCase{"HoldLeftSettlesBetween200And240",
                                                 2000,
                                                 {{true, false, -50, 1950},
                                                  {true, false, -70, 1880},
                                                  {true, false, -90, 1790},
                                                  {true, false, -110, 1680},
                                                  {true, false, -130, 1550},
                                                  {true, false, -150, 1400},
                                                  {true, false, -170, 1230},
                                                  {true, false, -190, 1040},
                                                  {true, false, -210, 830},
                                                  {true, false, 0, 640},
                                                  {true, false, 0, 640},
                                                  {false, true, 50, 690}}},
                                         KeyCase{"HoldRightAtSpeed",
                                                 1000,
                                                 {{false, true, 50, 1050},
                                                  {false, true, 70, 1120},
                                                  {false, true, 90, 1210},
                                                  {false, true, 110, 1320},
                                                  {false, true, 130, 1450},
                                                  {false, true, 150, 1600},
                                                  {false, true, 170, 1770},
                                                  {false, true, 190, 1960},
                                                  {false, true, 210, 2170},
                                                  {false, true, 230, 2400},
                                                  {false, true, 200, 2600},
                                                  {false, true, 220, 2820},
                                                  {false, true, 240, 3060},
                                                  {false, true, 0, 3200},
                                                  {false, false, 0, 3200},
                                                  {true, false, -50, 3150}}},
                                         KeyCase{"BothKeysOnlyBrake",
                                                 2000,
                                                 {{false, true, 50, 2050},
                                                  {false, true, 70, 2120},
                                                  {true, true, 40, 2160},
                                                  {true, true, 10, 2170},
                                                  {true, true, 0, 2170}}},
                                         KeyCase{"ReversingAgainstTheSpeed",
                                                 2000,
                                                 {{false, true, 50, 2050},
                                                  {false, true, 70, 2120},
                                                  {true, false, -10, 2110},
                                                  {true, false, -50, 2060}}}),
                         CaseName());

TEST_F(PaddleTest, JoystickPushesLikeAKeyAndAddsToIt) {
    platform::probe::setJoystick(true, 65535);
    movePaddle(paddle);
    EXPECT_EQ(paddle.velocity, 50);
    platform::probe::setKey(kKeyLeft, true);
    movePaddle(paddle);
    EXPECT_EQ(paddle.velocity, 20) << "the key and the joystick cancel: friction only";
    platform::probe::setKey(kKeyLeft, false);
    platform::probe::setJoystick(true, 32767);
    movePaddle(paddle);
    EXPECT_EQ(paddle.velocity, 0) << "the centre is no push";
}

struct MouseCase {
    int32_t cursorX;
    int32_t x;
};

class PaddleMouse : public PaddleTest, public testing::WithParamInterface<MouseCase> {};

TEST_P(PaddleMouse, SitsFortyEightPixelsLeftOfTheCursor) {
    mouseControl = 1;
    platform::probe::setKey(kKeyRight, true); // the keys play no part under the mouse
    platform::probe::setCursorX(GetParam().cursorX);
    movePaddle(paddle);
    EXPECT_EQ(paddle.x, GetParam().x);
    EXPECT_EQ(paddle.velocity, 0);
    EXPECT_EQ(paddle.sprite.destRect.left, GetParam().x / 10 + 16);
    EXPECT_EQ(paddle.sprite.destRect.top, 432);
}

INSTANTIATE_TEST_SUITE_P(Cursor, PaddleMouse,
                         testing::Values(MouseCase{128, 640}, MouseCase{127, 640},
                                         MouseCase{-50, 640}, MouseCase{129, 650},
                                         MouseCase{200, 1360}, MouseCase{383, 3190},
                                         MouseCase{384, 3200}, MouseCase{700, 3200},
                                         MouseCase{INT_MAX, 3200}, MouseCase{INT_MIN, 640}));

TEST_F(PaddleTest, MouseControlLeavesTheSpeedAlone) {
    paddle.velocity = 90;
    mouseControl = 1;
    platform::probe::setCursorX(250);
    movePaddle(paddle);
    EXPECT_EQ(paddle.x, 1860);
    EXPECT_EQ(paddle.velocity, 90);
}

} // namespace
