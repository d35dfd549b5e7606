// BENCH as a load test: a launch into the next of 2000 slots every frame, 40 growth steps, no
// descent, no frame wait, silent effects, and an end 20 seconds after the start; and the line the
// benchmark prints.
#include "game/round_fixture.h"

#include "game/round_bench.h"
#include "input/frame_pacer.h"

using namespace roundtest;

namespace {

class BenchRound : public RoundTest {
  protected:
    void SetUp() override {
        RoundTest::SetUp();
        startFrameTimer();
        startRound(BENCH);
        platform::probe::takeSoundEvents();
    }
};

// The game's generator from its start, written out from its definition.
struct Sequence {
    uint32_t state = 1;
    int32_t next() {
        state = state * 22695477u + 1u;
        return int32_t((state >> 16) & 0x7FFF);
    }
};

TEST_F(BenchRound, EachFrameLaunchesOnceAndGrows40Times) {
    frame();
    frame();
    // Frame 1: a launch (two draws) and 40 growth steps (two draws each); frame 2 the same plus
    // the first animation step, which picks the flashing value.
    Sequence expected;
    for (int32_t i = 0; i < 82 + 83; ++i)
        expected.next();
    EXPECT_EQ(nextRandom(), expected.next());
}

TEST_F(BenchRound, FillsAll2000SlotsAndLosesNone) {
    for (int32_t n = 1; n <= 2001; ++n) {
        frame();
        ASSERT_EQ(ballsInPlay(round), std::min(n, 2000)) << "frame " << n;
    }
    EXPECT_EQ(round.slotCount, 2000);
}

TEST_F(BenchRound, NeitherWaitsNorDescendsNorSoundsItsEffects) {
    const int32_t height = round.height;
    ASSERT_EQ(height, 12);
    const uint32_t start = platform::tickCount();
    for (int32_t n = 1; n <= 300; ++n) {
        for (const std::string& line : frame())
            ADD_FAILURE() << line << " in frame " << n;
    }
    // Only the Escape poll of each frame moves the virtual clock.
    EXPECT_EQ(platform::tickCount() - start, 300u);
    EXPECT_EQ(round.height, height);
    // The lowest blocks were laid in row 13 and growth stays above them, so nothing came lower.
    for (int32_t row = 14; row <= 26; ++row)
        for (int32_t column = 3; column <= 12; ++column)
            EXPECT_EQ(playField.value[row][column], kCellEmpty) << row << "," << column;
    EXPECT_GT(score, 0);
}

TEST_F(BenchRound, EndsSixteenFramesAfterTwentySeconds) {
    for (int32_t n = 1; n <= 5; ++n)
        frame();
    // After frame n the clock stands at start + n; frame 11 is the first to find more than
    // 20000 ms passed, and its own end count comes before that test.
    platform::probe::advanceClock(19990);
    int32_t played = 5;
    while (roundGoesOn(round) == 1) {
        frame();
        ++played;
    }
    EXPECT_EQ(played, 11 + 16);
}

TEST_F(BenchRound, EscapeEndsItLikeAnyRound) {
    platform::probe::setKey(platform::kKeyEscape, true);
    int32_t played = 0;
    while (roundGoesOn(round) == 1) {
        frame();
        ++played;
    }
    EXPECT_EQ(played, 16);
}

TEST_F(RoundTest, BenchRoundOpensWithoutAFade) {
    startFrameTimer();
    quitRequested.store(1);
    const BenchFigures figures = runBenchRound();
    // Only the pause before the first frame passed: no fade frames.
    EXPECT_EQ(platform::tickCount(), 330u);
    EXPECT_EQ(figures.frames, 0);
    EXPECT_EQ(figures.balls, 0);
    EXPECT_EQ(figures.score, 0);
}

TEST(BenchFigures, OneLine) {
    struct Case {
        BenchFigures figures;
        const char* line;
    };
    const Case cases[] = {
        {{40123, 20016, 2000, 1234550},
         "frames 40123 seconds 20.016 fps 2004.5 balls 2000 score 1234550\n"},
        {{17, 20001, 17, 0}, "frames 17 seconds 20.001 fps 0.8 balls 17 score 0\n"},
        {{0, 0, 0, 0}, "frames 0 seconds 0.000 fps 0.0 balls 0 score 0\n"},
    };
    for (const Case& c : cases) {
        char text[128];
        const int32_t length = formatBenchFigures(c.figures, text, sizeof text);
        EXPECT_STREQ(text, c.line);
        EXPECT_EQ(length, int32_t(std::strlen(c.line)));
    }
    char small[8];
    EXPECT_EQ(formatBenchFigures(cases[0].figures, small, sizeof small),
              int32_t(std::strlen(cases[0].line)));
    EXPECT_STREQ(small, "frames ");
}

} // namespace
