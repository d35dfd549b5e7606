// The play area on the window after a frame: the field as fieldLayer holds it, with every ball in
// play and then the paddle drawn over it from spriteSheet, and nothing left where they were.
#include "game/round_fixture.h"

#include "input/frame_pacer.h"

using namespace roundtest;

namespace {

class RoundPicture : public RoundTest {
  protected:
    void SetUp() override {
        RoundTest::SetUp();
        startFrameTimer();
    }

    void expectPlayArea(int32_t frameNumber) {
        Picture expected;
        expected.copyFrom(fieldLayer, 0, 0, 460, 480);
        int32_t drawn = 0;
        for (const Ball& ball : balls) {
            if (ball.alive != 1) continue;
            ASSERT_EQ(ball.piercing, 0);
            // An 8 x 8 ball centred on its position.
            expected.keyFrom(spriteSheet, 16, 16, 8, 8, ball.y / 10 + 16 - 4, ball.x / 10 + 16 - 4);
            ++drawn;
        }
        expected.keyFrom(spriteSheet, 48, 0, 16, 64, 432, paddle.x / 10 + 16);
        EXPECT_GT(drawn, 0);
        EXPECT_EQ(firstDifference(expected, 0, 0, 460, 480), "") << "frame " << frameNumber;
    }
};

TEST_F(RoundPicture, BallsAndPaddleOverTheField) {
    startRound(NORMAL, RoundOpening::fade);
    // The paddle starts in the middle, then the keys move it right.
    for (int32_t n = 1; n <= 60; ++n) {
        platform::probe::setKey(platform::kKeyRight, n > 20 && n < 40);
        frame();
        if (n == 1 || n == 2 || n == 25 || n == 60) {
            ASSERT_NO_FATAL_FAILURE(expectPlayArea(n));
        }
    }
    EXPECT_GT(paddle.x, 2000);
}

TEST_F(RoundPicture, MouseSteersThePaddle) {
    mouseControl = 1;
    platform::probe::setCursorX(100);
    startRound(NORMAL);
    frame();
    EXPECT_EQ(paddle.x, 640);
    ASSERT_NO_FATAL_FAILURE(expectPlayArea(1));
}

// BENCH fills the field with balls, one more each frame; from 600 on, the frame erases them all
// at once by copying the field, which must leave the same picture as erasing them one by one.
TEST_F(RoundPicture, ManyBallsOverTheField) {
    startRound(BENCH);
    for (int32_t n = 1; n <= 640; ++n) {
        frame();
        if (n == 599 || n == 600 || n == 601 || n == 640) {
            ASSERT_NO_FATAL_FAILURE(expectPlayArea(n));
        }
    }
    EXPECT_GE(ballsInPlay(round), 600);
}

} // namespace
