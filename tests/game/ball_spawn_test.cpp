#include "game/ball.h"
#include "game/random.h"
#include "gfx/blit.h"
#include "gfx/surfaces.h"
#include "support/case_name.h"
#include "surface_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void expectRect(const BlitRect& r, int16_t top, int16_t left, int16_t height, int16_t width) {
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.height, height);
    EXPECT_EQ(r.width, width);
}

void expectNormalBall(const Ball& ball) {
    EXPECT_EQ(ball.piercing, 0);
    EXPECT_EQ(ball.halfSize, 4);
    expectRect(ball.sprite.srcRect, 16, 16, 8, 8);
    expectRect(ball.sprite.destRect, 16, 16, 8, 8);
}

void expectBigBall(const Ball& ball) {
    EXPECT_EQ(ball.piercing, 1);
    EXPECT_EQ(ball.halfSize, 12);
    EXPECT_EQ(ball.hitsLeft, 24);
    expectRect(ball.sprite.srcRect, 0, 48, 16, 16);
    expectRect(ball.sprite.destRect, 0, 48, 24, 24);
}

TEST(SpawnBall, StartsAboveThePaddleWithTheVerticalSpeedDrawnFirst) {
    resetRandom();
    spawnCount = 0;
    Ball ball;
    EXPECT_EQ(ball.alive, 0);
    spawnBall(ball, 2320, NORMAL);
    EXPECT_EQ(ball.alive, 1);
    EXPECT_EQ(ball.x, 2320);
    EXPECT_EQ(ball.y, 4120);
    // The first two numbers are 346 = 8 * 41 + 18 and 130 (below 161): dy -18 - 40, dx 130 - 80.
    EXPECT_EQ(ball.dy, -58);
    EXPECT_EQ(ball.dx, 50);
    EXPECT_EQ(spawnCount, 1);
    expectNormalBall(ball);
    EXPECT_EQ(ball.sprite.mode, keyed);
    EXPECT_EQ(ball.sprite.source, &spriteSheet);
    EXPECT_EQ(ball.sprite.target, &backBuffer);
    EXPECT_EQ(ball.sprite.restoreSource, &fieldLayer);
    EXPECT_EQ(ball.sprite.weight, 1.0f);
}

TEST(SpawnBall, SpeedsStayInTheirRanges) {
    resetRandom();
    Ball ball;
    for (int i = 0; i < 2000; ++i) {
        spawnBall(ball, 2000, BENCH);
        ASSERT_GE(ball.dy, -80);
        ASSERT_LE(ball.dy, -40);
        ASSERT_GE(ball.dx, -80);
        ASSERT_LE(ball.dx, 80);
    }
}

struct TenthCase {
    const char* name;
    GameMode mode;
    bool big;
    int32_t countAfter;
};

void PrintTo(const TenthCase& c, std::ostream* os) {
    *os << c.name;
}

class TenthSpawn : public testing::TestWithParam<TenthCase> {};

TEST_P(TenthSpawn, IsBigOnlyBelowNormal) {
    const TenthCase& c = GetParam();
    spawnCount = 0;
    Ball balls[10];
    for (int i = 0; i < 10; ++i)
        spawnBall(balls[i], 2000, c.mode);
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE("spawn " + std::to_string(i + 1));
        expectNormalBall(balls[i]);
    }
    if (c.big) {
        expectBigBall(balls[9]);
    } else {
        expectNormalBall(balls[9]);
    }
    EXPECT_EQ(spawnCount, c.countAfter);
}

INSTANTIATE_TEST_SUITE_P(Variants, TenthSpawn,
                         testing::Values(TenthCase{"Hyper", HYPER, true, 0},
                                         TenthCase{"Super", SUPER, true, 0},
                                         TenthCase{"Normal", NORMAL, false, 10},
                                         TenthCase{"Bench", BENCH, false, 10}),
                         CaseName());

TEST(SpawnBall, NormalAndBenchNeverSpawnABigBallAsTheCountGoesOn) {
    for (GameMode mode : {NORMAL, BENCH}) {
        spawnCount = 0;
        Ball ball;
        for (int i = 0; i < 35; ++i) {
            spawnBall(ball, 2000, mode);
            ASSERT_EQ(ball.piercing, 0) << mode << " spawn " << i + 1;
        }
        EXPECT_EQ(spawnCount, 35);
    }
}

TEST(SpawnBall, ABigBallSlotRespawnsAsANormalBall) {
    spawnCount = 9;
    Ball ball;
    spawnBall(ball, 2000, HYPER);
    expectBigBall(ball);
    ball.alive = 0;
    spawnBall(ball, 2000, HYPER);
    expectNormalBall(ball);
    EXPECT_EQ(spawnCount, 1);
}

class SpawnSound : public EffectTest {};

TEST_F(SpawnSound, EveryLaunchRestartsTheLaunchSoundOutsideBench) {
    Ball first;
    Ball second;
    spawnBall(first, 2000, NORMAL);
    EXPECT_EQ(platform::probe::takeSoundEvents(), std::vector<std::string>{"play 140 0"});
    spawnBall(second, 2000, HYPER);
    EXPECT_EQ(platform::probe::takeSoundEvents(),
              (std::vector<std::string>{"stop 140 0", "play 140 0"}));
    spawnBall(first, 2000, BENCH);
    EXPECT_EQ(platform::probe::takeSoundEvents(), std::vector<std::string>{});
}

} // namespace
