// Whole runs of the game with scripted controls (the title takes its keys once the 1.73 s
// logo and the 0.66 s fade are over), checked on the trace against the round's rules:
// the first frame of a round starts right after the intro tune is requested, each later frame
// starts 33 ms after the previous one plus the 1 ms of its Escape poll.
#include "support/game_run.h"
#include "support/trace.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// The start of frame k (from 1) of a round whose start time is `start`.
uint32_t frameStart(uint32_t start, uint32_t k) {
    return k == 1 ? start : start + 33 * (k - 1) + 1;
}

TEST(RoundRun, NormalRoundLaunchesTunesAndEndsAfterEscape) {
    const auto folder = makeGameFolder("normal");
    const GameRun run = runHeadless(folder, "3000 down SPACE\n"
                                            "3100 up SPACE\n"
                                            "10000 down ESCAPE\n"
                                            "10700 up ESCAPE\n"
                                            "12000 down SPACE\n"
                                            "12100 up SPACE\n"
                                            "15000 down ESCAPE\n"
                                            "15100 up ESCAPE\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const auto intro = traceEvents(run.trace, "sound play 128 0");
    ASSERT_EQ(intro.size(), 1u);
    const uint32_t start = intro[0].ms;

    // Level 0 lasts 100 frames: launches in frames 1, 22, 43, 64 and 85.
    const auto launches = traceEvents(run.trace, "sound play 140 0");
    ASSERT_GE(launches.size(), 5u);
    for (uint32_t i = 0; i < 5; ++i)
        EXPECT_EQ(launches[i].ms, frameStart(start, 1 + 21 * i)) << i;
    EXPECT_EQ(launches[2].ms - launches[1].ms, 693u);

    // The calm tune starts in the first frame that finds the intro (2400 ms) over.
    const auto calm = traceEvents(run.trace, "sound play 129 0");
    ASSERT_EQ(calm.size(), 1u);
    EXPECT_GE(calm[0].ms - start, 2400u);
    EXPECT_LT(calm[0].ms - start, 2400u + 33);

    // The first Escape poll at or after 10000 ms ends the round 15 frames later, when the tune
    // stops.
    uint32_t k = 2;
    while (frameStart(start, k + 1) < 10000)
        ++k;
    const uint32_t escapeSeen = frameStart(start, k + 1);
    const auto stops = traceEvents(run.trace, "sound stop 129 0");
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_EQ(stops[0].ms, escapeSeen + 15 * 33);
}

TEST(RoundRun, UltraLaunchesEveryFourFrames) {
    const auto folder = makeGameFolder("ultra");
    const GameRun run = runHeadless(folder, "3000 down TAB\n"
                                            "3000 down CONTROL\n"
                                            "3050 down SPACE\n"
                                            "3100 up SPACE\n"
                                            "3100 up TAB\n"
                                            "3100 up CONTROL\n"
                                            "8000 down ESCAPE\n"
                                            "8100 up ESCAPE\n"
                                            "9000 down SPACE\n"
                                            "9100 up SPACE\n"
                                            "11000 down ESCAPE\n"
                                            "11100 up ESCAPE\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const auto intro = traceEvents(run.trace, "sound play 128 0");
    ASSERT_EQ(intro.size(), 1u);
    const auto launches = traceEvents(run.trace, "sound play 140 0");
    ASSERT_GE(launches.size(), 30u);
    for (uint32_t i = 0; i < 30; ++i)
        EXPECT_EQ(launches[i].ms, frameStart(intro[0].ms, 1 + 4 * i)) << i;
}

TEST(RoundRun, BlocksReachingThePaddleEndTheRound) {
    const auto folder = makeGameFolder("height");
    // The paddle waits at the left end, so few balls come back and the blocks sink unhindered.
    const GameRun run = runHeadless(folder, "3000 down SPACE\n"
                                            "3100 up SPACE\n"
                                            "3200 down LEFT\n"
                                            "77000 down SPACE\n"
                                            "77100 up SPACE\n"
                                            "80000 down ESCAPE\n"
                                            "80100 up ESCAPE\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(traceEvents(run.trace, "sound play 128 0").size(), 1u);
    // The danger tune came as the blocks sank; the round ended by itself, with no Escape, 16
    // frames after the descent that brought a block into the paddle's row.
    ASSERT_GE(traceEvents(run.trace, "sound play 130 0").size(), 1u);
    const auto ends = traceEvents(run.trace, "sound stop 130 0");
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_LT(ends[0].ms, 75000u);
    uint32_t lastDescent = 0;
    for (const TraceEvent& descent : traceEvents(run.trace, "sound play 143 0"))
        if (descent.ms < ends[0].ms) lastDescent = descent.ms;
    EXPECT_EQ(ends[0].ms - lastDescent, 16u * 33);
}

} // namespace
