// The round's frame loop, played frame by frame and checked against the counters' rules: when
// balls are launched, when the level, growth and descent come, and when the round ends.
#include "game/round_fixture.h"

#include "input/frame_pacer.h"
#include "support/case_name.h"

using namespace roundtest;

namespace {

class RoundRules : public RoundTest {
  protected:
    void SetUp() override {
        RoundTest::SetUp();
        startFrameTimer();
    }

    // The lines of the three round tunes.
    static std::vector<std::string> tunes(const std::vector<std::string>& lines) {
        std::vector<std::string> found;
        for (const std::string& line : lines)
            for (const char* clip : {" 128 ", " 129 ", " 130 "})
                if (line.find(clip) != std::string::npos) found.push_back(line);
        return found;
    }

    // Plays frames until the round ends, at most `limit`; returns how many were played.
    int32_t playToEnd(int32_t limit) {
        int32_t played = 0;
        while (roundGoesOn(round) == 1 && played < limit) {
            frame();
            ++played;
        }
        return played;
    }

    // The frames (counted from 1) among the first `count` in which a new ball came into play,
    // with the virtual time at the end of each.
    std::vector<std::pair<int32_t, uint32_t>> launches(int32_t count) {
        std::vector<std::pair<int32_t, uint32_t>> found;
        for (int32_t n = 1; n <= count; ++n) {
            const int32_t before = ballsInPlay(round);
            std::vector<bool> wasAlive;
            for (int32_t slot = 0; slot < round.slotCount; ++slot)
                wasAlive.push_back(balls[slot].alive == 1);
            const std::vector<std::string> sounds = frame();
            bool launched = false;
            for (int32_t slot = 0; slot < round.slotCount; ++slot)
                launched = launched || (!wasAlive[size_t(slot)] && balls[slot].alive == 1);
            EXPECT_EQ(launched, contains(sounds, "play 140 0"))
                << "frame " << n << ", " << before << " balls before";
            if (launched) found.emplace_back(n, platform::tickCount());
        }
        return found;
    }
};

class FirstFrame : public RoundRules, public testing::WithParamInterface<GameMode> {};

TEST_P(FirstFrame, LaunchesABall) {
    startRound(GetParam());
    platform::probe::takeSoundEvents();
    const std::vector<std::string> sounds = frame();
    EXPECT_EQ(balls[0].alive, 1);
    EXPECT_EQ(ballsInPlay(round), 1);
    // BENCH launches silently.
    EXPECT_EQ(contains(sounds, "play 140 0"), GetParam() != BENCH);
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, FirstFrame,
                         testing::Values(HYPER, SUPER, ULTRA, NORMAL, BENCH));

TEST_F(RoundRules, NormalLaunchesEvery21FramesAtLevelZero) {
    startRound(NORMAL);
    const auto found = launches(100);
    const std::vector<int32_t> expectedFrames{1, 22, 43, 64, 85};
    ASSERT_EQ(found.size(), expectedFrames.size());
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].first, expectedFrames[i]);
        if (i > 0) {
            EXPECT_EQ(found[i].second - found[i - 1].second, 693u);
        }
    }
}

TEST_F(RoundRules, UltraLaunchesEvery4Frames) {
    startRound(ULTRA);
    const auto found = launches(240);
    ASSERT_EQ(found.size(), 60u);
    for (size_t i = 0; i < found.size(); ++i)
        EXPECT_EQ(found[i].first, int32_t(4 * i + 1));
    EXPECT_EQ(round.level, 2); // the period does not lengthen with the level
}

TEST_F(RoundRules, LevelRisesInFrames101And212) {
    startRound(NORMAL);
    for (int32_t n = 1; n <= 250; ++n) {
        frame();
        const int32_t expected = n < 101 ? 0 : n < 212 ? 1 : 2;
        ASSERT_EQ(round.level, expected) << "frame " << n;
    }
}

TEST_F(RoundRules, NormalGrowsFirstInFrame9AndDescendsFirstInFrame121) {
    startRound(NORMAL);
    // The lowest blocks of the NORMAL layout lie in row 12.
    ASSERT_EQ(round.height, 11);
    for (int32_t n = 1; n <= 121; ++n) {
        PlayField before = playField;
        const std::vector<std::string> sounds = frame();
        bool raised = false;
        for (int32_t row = 0; row < kFieldRows; ++row)
            for (int32_t column = 0; column < kFieldColumns; ++column)
                raised = raised || playField.value[row][column] > before.value[row][column];
        // No ball reaches the blocks this early, so only growth raises a cell.
        if (n < 121) {
            EXPECT_EQ(raised, n % 9 == 0) << "frame " << n;
            EXPECT_EQ(round.height, 11) << "frame " << n;
        }
        EXPECT_EQ(contains(sounds, "play 143 0"), n == 121) << "frame " << n;
    }
    EXPECT_EQ(round.height, 12);
    for (int32_t column = 3; column <= 12; ++column)
        EXPECT_EQ(playField.value[3][column], kCellEmpty) << column;
}

struct DescentCase {
    const char* name;
    GameMode mode;
    std::vector<int32_t> frames; // the frames, counted from 1, that descend among the first 250
};

void PrintTo(const DescentCase& c, std::ostream* os) {
    *os << c.name;
}

class Descents : public RoundRules, public testing::WithParamInterface<DescentCase> {};

// The level is 0 up to frame 101, 1 from frame 102 and 2 from frame 213 (the grid runs before
// the level counter). A descent comes every 121 - 3 (4 - mode) level frames: always 121 in
// NORMAL, so frames 121 and 242. SUPER's period is 115 at level 1, reached by frame 115, then 109
// at level 2: frame 115 + 109 = 224. HYPER's (and ULTRA's) are 112 and 103: frames 112 and 215.
TEST_P(Descents, ComeEveryPeriodOfTheCurrentLevel) {
    const DescentCase& c = GetParam();
    startRound(c.mode);
    std::vector<int32_t> found;
    for (int32_t n = 1; n <= 250; ++n)
        if (contains(frame(), "play 143 0")) found.push_back(n);
    EXPECT_EQ(found, c.frames);
    EXPECT_EQ(round.level, 2);
}

INSTANTIATE_TEST_SUITE_P(Variants, Descents,
                         testing::Values(DescentCase{"Normal", NORMAL, {121, 242}},
                                         DescentCase{"Super", SUPER, {115, 224}},
                                         DescentCase{"Hyper", HYPER, {112, 215}},
                                         DescentCase{"Ultra", ULTRA, {112, 215}}),
                         CaseName());

TEST_F(RoundRules, EscapeEndsTheRound15FramesLater) {
    startRound(NORMAL);
    for (int32_t n = 1; n < 30; ++n)
        frame();
    platform::probe::setKey(platform::kKeyEscape, true);
    frame();
    platform::probe::setKey(platform::kKeyEscape, false);
    int32_t moving = 0;
    int32_t more = 0;
    while (roundGoesOn(round) == 1) {
        std::vector<std::pair<int32_t, int32_t>> before;
        for (const Ball& ball : balls)
            before.emplace_back(ball.x, ball.y);
        frame();
        bool moved = false;
        for (size_t slot = 0; slot < before.size(); ++slot)
            moved = moved || (balls[slot].alive == 1 &&
                              before[slot] != std::pair{balls[slot].x, balls[slot].y});
        moving += moved ? 1 : 0;
        ++more;
    }
    EXPECT_EQ(more, 15);
    EXPECT_EQ(moving, 15); // the round plays on meanwhile
}

TEST_F(RoundRules, ABlockInTheBottomRowEndsTheRound) {
    startRound(NORMAL);
    // The descent of frame 121 brings this block into row 27, level with the paddle.
    playField.value[26][3] = kCellStrongest;
    playField.shown[26][3] = kCellStrongest;
    EXPECT_EQ(playToEnd(1000), 121 + 15);
    EXPECT_EQ(round.height, 26);
}

TEST_F(RoundRules, UltraScoresTheBallsInPlayOnItsOwnHighScore) {
    startRound(ULTRA);
    EXPECT_EQ(round.mode, HYPER);
    EXPECT_EQ(round.rateFactor, 0);
    int32_t most = 0;
    for (int32_t n = 1; n <= 300; ++n) {
        frame();
        ASSERT_EQ(score, ballsInPlay(round)) << "frame " << n;
        most = std::max(most, score);
        ASSERT_EQ(ScoreTable[ULTRA], most) << "frame " << n;
    }
    EXPECT_GT(most, 1);
    EXPECT_EQ(ScoreTable[HYPER], 30);
}

TEST_F(RoundRules, HighScoreRisesWithTheScore) {
    startRound(NORMAL);
    bool passed = false;
    for (int32_t n = 1; n <= 400; ++n) {
        frame();
        if (score > 30) {
            passed = true;
            ASSERT_EQ(ScoreTable[NORMAL], score) << "frame " << n;
        } else {
            ASSERT_EQ(ScoreTable[NORMAL], 30) << "frame " << n;
        }
    }
    EXPECT_TRUE(passed);
    for (GameMode other : {HYPER, SUPER, BENCH})
        EXPECT_EQ(ScoreTable[other], 30);
}

TEST_F(RoundRules, IntroTuneThenTheCalmTuneOverAndOver) {
    startRound(NORMAL);
    EXPECT_EQ(platform::probe::takeSoundEvents(), std::vector<std::string>{"play 128 0"});
    // Each tune starts at the first frame that finds the previous one ended.
    std::vector<uint32_t> calmStarts;
    for (int32_t n = 1; n <= 1100; ++n) {
        const uint32_t frameStart = platform::tickCount();
        for (const std::string& line : frame()) {
            if (line == "play 129 0") {
                calmStarts.push_back(frameStart);
                continue;
            }
            EXPECT_TRUE(line.find(" 128 ") == std::string::npos &&
                        line.find(" 130 ") == std::string::npos)
                << line << " in frame " << n;
        }
    }
    const uint32_t introMs = wavLengthMs("wav/128.wav");
    const uint32_t calmMs = wavLengthMs("wav/129.wav");
    ASSERT_EQ(calmStarts.size(), 3u);
    EXPECT_GE(calmStarts[0] - round.startTime, introMs);
    EXPECT_LT(calmStarts[0] - round.startTime, introMs + 33);
    for (size_t i = 1; i < calmStarts.size(); ++i) {
        EXPECT_GE(calmStarts[i] - calmStarts[i - 1], calmMs);
        EXPECT_LT(calmStarts[i] - calmStarts[i - 1], calmMs + 33);
    }
}

TEST_F(RoundRules, DangerTuneWhileTheBlocksStandLow) {
    startRound(NORMAL);
    // The descent of frame 121 brings this block into row 23: a height of 22.
    playField.value[22][12] = kCellStrongest;
    playField.shown[22][12] = kCellStrongest;
    for (int32_t n = 1; n <= 121; ++n)
        frame();
    ASSERT_EQ(round.height, 22);
    EXPECT_EQ(tunes(frame()), (std::vector<std::string>{"stop 129 0", "play 130 0"}));
    // Clearing the low blocks is seen at the next descent, in frame 242 (growth keeps adding
    // blocks above the height meanwhile); the calm tune returns in the frame after it.
    for (int32_t n = 123; n <= 242; ++n) {
        if (n == 242)
            for (int32_t row = 18; row <= 26; ++row)
                for (int32_t column = 3; column <= 12; ++column)
                    playField.value[row][column] = kCellEmpty;
        for (const std::string& line : tunes(frame()))
            ADD_FAILURE() << line << " in frame " << n;
    }
    ASSERT_LE(round.height, 18);
    EXPECT_EQ(tunes(frame()), (std::vector<std::string>{"stop 130 0", "play 129 0"}));
}

TEST_F(RoundRules, QuitEndsTheRoundBeforeTheNextFrame) {
    startRound(NORMAL);
    frame();
    quitRequested.store(1);
    EXPECT_EQ(roundGoesOn(round), 0);
    tearDownRound(round);
    EXPECT_EQ(platform::probe::takeSoundEvents(), std::vector<std::string>{"stop 128 0"});
}

TEST_F(RoundRules, WholeRoundWithEscapeHeldPlays16Frames) {
    platform::probe::setKey(platform::kKeyEscape, true);
    playRound(NORMAL);
    // 20 fade frames, the 10-frame pause, then 16 frames of 33 ms and the last Escape poll.
    EXPECT_EQ(platform::tickCount(), 20u * 33 + 330 + 16 * 33 + 1);
    const std::vector<std::string> sounds = platform::probe::takeSoundEvents();
    ASSERT_FALSE(sounds.empty());
    EXPECT_EQ(sounds.front(), "play 128 0");
    EXPECT_EQ(sounds.back(), "stop 128 0");
}

TEST_F(RoundRules, WholeRoundEndsAtOnceWhenQuitIsRequested) {
    quitRequested.store(1);
    playRound(SUPER);
    EXPECT_EQ(platform::probe::takeSoundEvents(),
              (std::vector<std::string>{"play 128 0", "stop 128 0"}));
}

} // namespace
