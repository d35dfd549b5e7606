#include "input/frame_pacer.h"
#include "input/input.h"
#include "platform/platform.h"
#include "support/headless_probe.h"

#include <gtest/gtest.h>

using namespace platform;
namespace probe = platform::probe;

namespace {

struct Controls {
    bool left, right;
    bool joystick;
    uint32_t joyX;
    int expected;
};

TEST(InputTest, DirectionAddsArrowsAndJoystick) {
    const Controls cases[] = {
        {false, false, false, 0, 0},    {true, true, false, 0, 0},
        {false, true, false, 0, 1},     {true, false, false, 0, -1},
        {false, true, true, 65535, 2},  {true, false, true, 0, -2},
        {false, true, true, 0, 0},      {false, false, true, 32767, 0},
        {false, false, true, 32768, 0}, {false, false, true, 32766, -1},
        {false, false, true, 32769, 1}, {true, true, true, 40000, 1},
    };
    for (const Controls& c : cases) {
        probe::resetHeadless();
        probe::setKey(kKeyLeft, c.left);
        probe::setKey(kKeyRight, c.right);
        probe::setJoystick(c.joystick, c.joyX);
        EXPECT_EQ(readDirection(0), c.expected) << "left " << c.left << " right " << c.right
                                                << " joystick " << c.joystick << " x " << c.joyX;
    }
}

TEST(InputTest, ButtonsCombineSpaceEscapeAndJoystickFire) {
    struct Case {
        bool space, escape, joystick, fire;
        int expected;
    } cases[] = {
        {false, false, false, false, 0},   {true, false, false, false, 0x01},
        {false, true, false, false, 0x80}, {true, true, false, false, 0x81},
        {false, false, true, true, 0x01},  {false, true, true, true, 0x81},
        {false, false, true, false, 0},
    };
    for (const Case& c : cases) {
        probe::resetHeadless();
        probe::setKey(kKeySpace, c.space);
        probe::setKey(kKeyEscape, c.escape);
        probe::setJoystick(c.joystick, 32768, c.fire);
        EXPECT_EQ(readButtons(0), c.expected);
    }
}

TEST(InputTest, EveryButtonPollAdvancesTheVirtualClockByOneMs) {
    probe::resetHeadless();
    readButtons(0);
    readButtons(0);
    EXPECT_EQ(tickCount(), 2u);
}

TEST(InputTest, RightMouseButtonWins) {
    struct Case {
        bool left, right;
        int expected;
    } cases[] = {{false, false, 0}, {true, false, 1}, {false, true, 2}, {true, true, 2}};
    for (const Case& c : cases) {
        probe::resetHeadless();
        probe::setKey(kKeyLeftButton, c.left);
        probe::setKey(kKeyRightButton, c.right);
        EXPECT_EQ(readMouseButtons(), c.expected);
    }
}

TEST(InputTest, CursorIsNotClamped) {
    probe::resetHeadless();
    for (int32_t x : {-37, 0, 639, 700}) {
        probe::setCursorX(x);
        EXPECT_EQ(readCursorX(), x);
    }
}

TEST(FramePacerTest, SleepsTheRestOfThePeriodAndNeverCatchesUp) {
    probe::resetHeadless();
    startFrameTimer();
    probe::advanceClock(5);
    EXPECT_EQ(waitFrame(33), 5u);
    EXPECT_EQ(tickCount(), 33u); // slept 28 ms

    probe::advanceClock(50);
    EXPECT_EQ(waitFrame(33), 50u);
    EXPECT_EQ(tickCount(), 83u); // no sleep: the late frame is not made up
    EXPECT_EQ(waitFrames(2), 0u);
    EXPECT_EQ(tickCount(), 149u);
}

TEST(FramePacerTest, ElapsedTimeIsRightAcrossTheTickCounterWrap) {
    probe::resetHeadless();
    probe::setClock(0xFFFFFFF0u); // 16 ms before the counter wraps to 0
    startFrameTimer();
    probe::advanceClock(20);
    EXPECT_EQ(tickCount(), 4u);
    EXPECT_EQ(waitFrame(33), 20u);
    EXPECT_EQ(tickCount(), 17u); // slept 13 ms, across the wrap
}

} // namespace
