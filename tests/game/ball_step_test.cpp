#include "field_fixture.h"
#include "game/ball.h"
#include "game/round_values.h"
#include "support/case_name.h"
#include "surface_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct MoveCase {
    const char* name;
    GameMode mode;
    int32_t paddleX;
    int32_t x, y, dx, dy; // before the step
    int32_t result;
    int32_t alive; // after the step
    int32_t newX, newY, newDx, newDy;
    int32_t scoreGain;
};

void PrintTo(const MoveCase& c, std::ostream* os) {
    *os << c.name;
}

Ball liveBall(int32_t x, int32_t y, int32_t dx, int32_t dy) {
    Ball ball;
    ball.alive = 1;
    ball.x = x;
    ball.y = y;
    ball.dx = dx;
    ball.dy = dy;
    ball.halfSize = 4;
    return ball;
}

class StepBallOnEmptyField : public testing::TestWithParam<MoveCase> {};

TEST_P(StepBallOnEmptyField, MovesBouncesOrLosesTheBall) {
    const MoveCase& c = GetParam();
    clearField(c.mode);
    score = 1000;
    Ball ball = liveBall(c.x, c.y, c.dx, c.dy);
    EXPECT_EQ(stepBall(ball, c.paddleX, 20, c.mode), c.result);
    EXPECT_EQ(ball.alive, c.alive);
    EXPECT_EQ(ball.x, c.newX);
    EXPECT_EQ(ball.y, c.newY);
    EXPECT_EQ(ball.dx, c.newDx);
    EXPECT_EQ(ball.dy, c.newDy);
    EXPECT_EQ(score, 1000 + c.scoreGain);
}

// The paddle's left edge is at 2000, so contact needs 1990 <= new x <= 2650.
INSTANTIATE_TEST_SUITE_P(
    Paddle, StepBallOnEmptyField,
    testing::Values(
        MoveCase{"DownToExactly4120IsNoContact", NORMAL, 2000, 2300, 4060, 20, 60, 0, 1, 2320, 4120,
                 20, 60, 0},
        MoveCase{"Below4120IsContactAtTheCentre", NORMAL, 2000, 2300, 4061, 20, 60, 0, 1, 2320,
                 4120, 20, -60, 10},
        MoveCase{"RightEndSteersBy47", NORMAL, 2000, 2640, 4100, 10, 50, 0, 1, 2650, 4120, 57, -50,
                 10},
        MoveCase{"LeftEndSteersBy47", NORMAL, 2000, 2000, 4100, -10, 50, 0, 1, 1990, 4120, -57, -50,
                 10},
        MoveCase{"SteeringTruncatesTowardZero", NORMAL, 2000, 2309, 4100, 10, 50, 0, 1, 2319, 4120,
                 10, -50, 10},
        MoveCase{"SteeringClampsRight", NORMAL, 2000, 2500, 4100, 150, 50, 0, 1, 2650, 4120, 160,
                 -50, 10},
        MoveCase{"SteeringClampsLeft", NORMAL, 2000, 2140, 4100, -150, 50, 0, 1, 1990, 4120, -160,
                 -50, 10},
        MoveCase{"ContactAtAnyDepth", NORMAL, 2000, 2320, 4330, 0, 60, 0, 1, 2320, 4120, 0, -60,
                 10},
        MoveCase{"PastTheRightEndIsMissed", NORMAL, 2000, 2641, 4100, 10, 50, 0, 1, 2651, 4150, 10,
                 50, 0},
        MoveCase{"PastTheLeftEndIsMissed", NORMAL, 2000, 1999, 4100, -10, 50, 0, 1, 1989, 4150, -10,
                 50, 0},
        MoveCase{"BenchReboundsAnywhereSilently", BENCH, 640, 3500, 4100, 70, 50, 0, 1, 3570, 4120,
                 70, -50, 0},
        MoveCase{"LostAt4360", NORMAL, 2000, 1000, 4300, 0, 60, 1, 0, 1000, 4360, 0, 60, 0},
        MoveCase{"NotLostAt4359", NORMAL, 2000, 1000, 4299, 0, 60, 0, 1, 1000, 4359, 0, 60, 0},
        MoveCase{"SideWallReversesDxOnly", NORMAL, 2000, 100, 2000, -80, -50, 0, 1, 20, 1950, 80,
                 -50, 0},
        MoveCase{"RightWallReversesDxOnly", NORMAL, 2000, 4300, 2000, 90, 50, 0, 1, 4390, 2050, -90,
                 50, 0},
        MoveCase{"UpwardWallSpeedsUp", NORMAL, 2000, 1000, 100, 0, -99, 0, 1, 1000, 1, 0, 104, 0},
        MoveCase{"UpwardWallAtSpeed100DoesNot", NORMAL, 2000, 1000, 100, 0, -100, 0, 1, 1000, 0, 0,
                 100, 0},
        MoveCase{"DownwardOntoTheFloorWallDoesNot", NORMAL, 2000, 160, 4040, 0, 60, 0, 1, 160, 4100,
                 0, -60, 0},
        MoveCase{"BenchFloorIsAWallUnderTheGap", BENCH, 2000, 1000, 4040, 0, 60, 0, 1, 1000, 4100,
                 0, -60, 0}),
    CaseName());

struct StrikeCase {
    const char* name;
    int32_t height;
    int32_t x, y, dx, dy;
    int32_t blockRow, blockColumn;
    int8_t blockValue;
    int32_t result;
    int8_t cellAfter;
    int32_t newDx, newDy;
    int32_t scoreGain;
};

void PrintTo(const StrikeCase& c, std::ostream* os) {
    *os << c.name;
}

class StepBallStrike : public testing::TestWithParam<StrikeCase> {};

TEST_P(StepBallStrike, WearsTheBlockAndRebounds) {
    const StrikeCase& c = GetParam();
    clearField();
    placeBlock(c.blockRow, c.blockColumn, c.blockValue);
    score = 0;
    Ball ball = liveBall(c.x, c.y, c.dx, c.dy);
    EXPECT_EQ(stepBall(ball, 2000, c.height, NORMAL), c.result);
    EXPECT_EQ(playField.value[c.blockRow][c.blockColumn], c.cellAfter);
    EXPECT_EQ(playField.shown[c.blockRow][c.blockColumn], c.blockValue)
        << "drawing catches up later";
    EXPECT_EQ(ball.dx, c.newDx);
    EXPECT_EQ(ball.dy, c.newDy);
    EXPECT_EQ(ball.alive, 1);
    EXPECT_EQ(score, c.scoreGain);
}

// Row 10 spans y 1440 to 1599 and column 5 spans x 1280 to 1599.
INSTANTIATE_TEST_SUITE_P(Blocks, StepBallStrike,
                         testing::Values(StrikeCase{"FromBelowInTheHeightRow", 10, 1400, 1700, 0,
                                                    -60, 10, 5, 3, 2, 2, 0, 60, 50},
                                         StrikeCase{"FromBelowInAnotherRow", 11, 1400, 1700, 0, -60,
                                                    10, 5, 3, 0, 2, 0, 60, 50},
                                         StrikeCase{"WeakestBlockBecomesEmpty", 10, 1400, 1700, 0,
                                                    -60, 10, 5, 2, 2, 1, 0, 60, 50},
                                         StrikeCase{"FromTheSideReversesDxOnly", 10, 1150, 1500, 80,
                                                    30, 10, 5, 4, 2, 3, -80, 30, 50},
                                         StrikeCase{"BothLookAheadsStrikeTheSameCell", 9, 1400,
                                                    1500, 20, 20, 10, 5, 4, 0, 2, -20, -20, 100}),
                         CaseName());

Ball bigBall() {
    Ball ball = liveBall(1400, 1700, 0, -60);
    ball.piercing = 1;
    ball.hitsLeft = 24;
    ball.halfSize = 12;
    ball.sprite.destRect.height = 24;
    ball.sprite.destRect.width = 24;
    return ball;
}

TEST(StepBallPiercing, ClearsBlocksWithoutReboundingAndShrinks) {
    clearField();
    score = 0;
    Ball ball = bigBall();
    for (int32_t pierce = 1; pierce <= 20; ++pierce) {
        SCOPED_TRACE("pierce " + std::to_string(pierce));
        placeBlock(10, 5, 6);
        ball.x = 1400;
        ball.y = 1700;
        EXPECT_EQ(stepBall(ball, 2000, 10, NORMAL), kBallStruckHeightRow);
        EXPECT_EQ(playField.value[10][5], kCellEmpty);
        EXPECT_EQ(ball.dy, -60);
        EXPECT_EQ(ball.alive, 1);
        EXPECT_EQ(ball.hitsLeft, 24 - pierce);
        EXPECT_EQ(ball.sprite.destRect.height, 24 - pierce);
        EXPECT_EQ(ball.sprite.destRect.width, 24 - pierce);
        EXPECT_EQ(ball.halfSize, (24 - pierce) / 2);
        EXPECT_EQ(ball.sprite.destRect.top, 1640 / 10 + 16 - (24 - pierce) / 2);
    }
    placeBlock(10, 5, 6);
    ball.x = 1400;
    ball.y = 1700;
    EXPECT_EQ(stepBall(ball, 2000, 10, NORMAL), kBallLost) << "the 21st pierce ends it";
    EXPECT_EQ(ball.alive, 0);
    EXPECT_EQ(playField.value[10][5], kCellEmpty);
    EXPECT_EQ(score, 21 * 50);
}

TEST(StepBallPiercing, TwoCellsInOneStepCountAsOnePierce) {
    clearField();
    placeBlock(10, 6, 3); // to the side
    placeBlock(9, 5, 4);  // ahead
    score = 0;
    Ball ball = bigBall();
    ball.x = 1500;
    ball.y = 1510;
    ball.dx = 90;
    ball.dy = -40;
    EXPECT_EQ(stepBall(ball, 2000, 20, NORMAL), kBallMoved);
    EXPECT_EQ(playField.value[10][6], kCellEmpty);
    EXPECT_EQ(playField.value[9][5], kCellEmpty);
    EXPECT_EQ(ball.hitsLeft, 23);
    EXPECT_EQ(ball.dx, 90);
    EXPECT_EQ(ball.dy, -40);
    EXPECT_EQ(score, 100);
}

TEST(StepBallPiercing, BouncesOffWalls) {
    clearField();
    Ball ball = bigBall();
    ball.x = 1000;
    ball.y = 100;
    ball.dy = -70;
    EXPECT_EQ(stepBall(ball, 2000, 20, NORMAL), kBallMoved);
    EXPECT_EQ(ball.dy, 75);
    EXPECT_EQ(ball.hitsLeft, 24);
}

TEST(StepBall, PlacesTheSpriteAroundTheCentre) {
    clearField();
    Ball ball = liveBall(2320, 4120, 50, -58);
    stepBall(ball, 640, 20, NORMAL);
    EXPECT_EQ(ball.sprite.destRect.top, 4062 / 10 + 16 - 4);
    EXPECT_EQ(ball.sprite.destRect.left, 2370 / 10 + 16 - 4);
}

class PaddleSound : public EffectTest {};

TEST_F(PaddleSound, KnocksOnEveryContactOutsideBench) {
    clearField();
    Ball ball = liveBall(2300, 4100, 0, 50);
    stepBall(ball, 2000, 20, NORMAL);
    EXPECT_EQ(platform::probe::takeSoundEvents(), std::vector<std::string>{"play 141 0"});
    ball = liveBall(2300, 4100, 0, 50);
    stepBall(ball, 2000, 20, NORMAL);
    EXPECT_EQ(platform::probe::takeSoundEvents(),
              (std::vector<std::string>{"stop 141 0", "play 141 0"}));
    ball = liveBall(2300, 4100, 0, 50);
    stepBall(ball, 2000, 20, BENCH);
    EXPECT_EQ(ball.dy, -50);
    EXPECT_EQ(platform::probe::takeSoundEvents(), std::vector<std::string>{});
}

TEST_F(PaddleSound, WallsAndBlocksAreSilent) {
    clearField();
    placeBlock(10, 5, 3);
    Ball ball = liveBall(1400, 1700, 0, -60);
    stepBall(ball, 2000, 20, NORMAL);
    ball = liveBall(1000, 100, 0, -70);
    stepBall(ball, 2000, 20, NORMAL);
    EXPECT_EQ(platform::probe::takeSoundEvents(), std::vector<std::string>{});
}

} // namespace
