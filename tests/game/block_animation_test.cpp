#include "field_fixture.h"
#include "game/block_animation.h"
#include "game/random.h"
#include "support/case_name.h"
#include "surface_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int32_t testRow = 10;
constexpr int32_t testColumn = 5;
constexpr int16_t nothingDrawn = -1;
constexpr Pixel previousColour{90, 91, 92};

struct Step {
    int8_t newValue; // 0: the value is left as it is before this step
    int8_t shown;
    int8_t value;
    int8_t phase;
    int16_t frameTop; // nothingDrawn, or the blockSheet frame the step shows
    int16_t frameLeft;
    bool erased;
};

struct Scenario {
    const char* name;
    int8_t startValue;
    std::vector<Step> steps;
};

void PrintTo(const Scenario& s, std::ostream* os) {
    *os << s.name;
}

class AnimateCell : public DrawingTest, public testing::WithParamInterface<Scenario> {};

// Before every step the cell is painted in a colour no frame has, so a step that draws nothing
// leaves it, and a frame drawn without erasing keeps it under the frame's white corner.
TEST_P(AnimateCell, WalksThePhasesAndDrawsEachFrame) {
    const Scenario& s = GetParam();
    clearField();
    placeBlock(testRow, testColumn, s.startValue);
    const BlitRect r = cellRect(testRow, testColumn);
    const int32_t centreX = r.left + 16;
    const int32_t centreY = r.top + 8;
    for (size_t i = 0; i < s.steps.size(); ++i) {
        const Step& step = s.steps[i];
        SCOPED_TRACE("step " + std::to_string(i + 1));
        if (step.newValue != 0) playField.value[testRow][testColumn] = step.newValue;
        paintRect(fieldLayer, r.top, r.left, r.height, r.width, previousColour);
        paintRect(backBuffer, r.top, r.left, r.height, r.width, previousColour);
        flashTick = 1;
        flashValue = 1;
        animateBlocks(NORMAL);

        EXPECT_EQ(playField.shown[testRow][testColumn], step.shown);
        EXPECT_EQ(playField.value[testRow][testColumn], step.value);
        EXPECT_EQ(playField.phase[testRow][testColumn], step.phase);
        const Pixel centre = step.frameTop == nothingDrawn
                                 ? previousColour
                                 : blockFrameColour(step.frameTop, step.frameLeft);
        const Pixel corner = step.erased ? bgColour : previousColour;
        for (QUORINImage* layer : {&fieldLayer, &backBuffer}) {
            EXPECT_EQ(pixelAt(*layer, centreX, centreY), centre);
            EXPECT_EQ(pixelAt(*layer, r.left, r.top), corner);
        }
    }
}

constexpr bool erased = true;
constexpr bool kept = false;

INSTANTIATE_TEST_SUITE_P(Cells, AnimateCell,
                         testing::Values(Scenario{"HitShrinksOverFiveSteps",
                                                  3,
                                                  {{2, 2, 2, 4, 32, 128, kept},
                                                   {0, 2, 2, 3, 32, 96, kept},
                                                   {0, 2, 2, 2, 32, 64, kept},
                                                   {0, 2, 2, 1, 32, 32, kept},
                                                   {0, 2, 2, 5, 32, 0, kept},
                                                   {0, 2, 2, 5, nothingDrawn, 0, kept}}},
                                         Scenario{"ShrinkTurnsAroundWhenTheValueRises",
                                                  3,
                                                  {{2, 2, 2, 4, 32, 128, kept},
                                                   {0, 2, 2, 3, 32, 96, kept},
                                                   {3, 2, 3, 4, 32, 128, kept},
                                                   {0, 3, 3, 5, 48, 0, kept},
                                                   {0, 3, 3, 5, nothingDrawn, 0, kept}}},
                                         Scenario{"GrowthRunsForwardThenShowsTheNewValue",
                                                  2,
                                                  {{3, 2, 3, 1, 32, 32, kept},
                                                   {0, 2, 3, 2, 32, 64, kept},
                                                   {0, 2, 3, 3, 32, 96, kept},
                                                   {0, 2, 3, 4, 32, 128, kept},
                                                   {0, 3, 3, 5, 48, 0, kept},
                                                   {0, 3, 3, 5, nothingDrawn, 0, kept}}},
                                         Scenario{"GrowthTurnsAroundWhenTheValueDrops",
                                                  2,
                                                  {{3, 2, 3, 1, 32, 32, kept},
                                                   {0, 2, 3, 2, 32, 64, kept},
                                                   {2, 2, 2, 1, 32, 32, kept},
                                                   {0, 2, 2, 5, 32, 0, kept},
                                                   {0, 2, 2, 5, nothingDrawn, 0, kept}}},
                                         Scenario{"StrongBlockDroppingToEmptyVanishesAtOnce",
                                                  5,
                                                  {{1, 1, 1, 4, 0, 128, erased},
                                                   {0, 1, 1, 3, 0, 96, erased},
                                                   {0, 1, 1, 2, 0, 64, erased},
                                                   {0, 1, 1, 1, 0, 32, erased},
                                                   {0, 1, 1, 5, 0, 0, erased},
                                                   {0, 1, 1, 5, nothingDrawn, 0, kept}}},
                                         Scenario{"EmptyCellAppears",
                                                  1,
                                                  {{2, 1, 2, 1, 16, 32, erased},
                                                   {0, 1, 2, 2, 16, 64, erased},
                                                   {0, 1, 2, 3, 16, 96, erased},
                                                   {0, 1, 2, 4, 16, 128, erased},
                                                   {0, 2, 2, 5, 32, 0, kept},
                                                   {0, 2, 2, 5, nothingDrawn, 0, kept}}},
                                         Scenario{"AppearingCellHitBeforeItIsWhole",
                                                  1,
                                                  {{2, 1, 2, 1, 16, 32, erased},
                                                   {0, 1, 2, 2, 16, 64, erased},
                                                   {1, 1, 1, 1, 0, 32, erased},
                                                   {0, 1, 1, 5, 0, 0, erased},
                                                   {0, 1, 1, 5, nothingDrawn, 0, kept}}},
                                         Scenario{"ShrinkByTwoValuesTakesTwoRuns",
                                                  4,
                                                  {{2, 3, 2, 4, 48, 128, kept},
                                                   {0, 3, 2, 3, 48, 96, kept},
                                                   {0, 3, 2, 2, 48, 64, kept},
                                                   {0, 3, 2, 1, 48, 32, kept},
                                                   {0, 3, 2, 5, 48, 0, kept},
                                                   {0, 2, 2, 4, 32, 128, kept}}}),
                         CaseName());

class AnimateBlocks : public DrawingTest {};

std::vector<std::string> vanishAndListen(GameMode mode) {
    clearField();
    placeBlock(12, 4, 3);
    playField.value[12][4] = kCellEmpty;
    std::vector<std::string> events;
    for (int step = 0; step < 6; ++step) {
        flashTick = 1;
        flashValue = 1;
        animateBlocks(mode);
        for (std::string& event : platform::probe::takeSoundEvents()) {
            events.push_back(std::to_string(step + 1) + ": " + event);
        }
    }
    EXPECT_EQ(playField.shown[12][4], kCellEmpty);
    EXPECT_EQ(playField.value[12][4], kCellEmpty);
    EXPECT_EQ(playField.phase[12][4], kPhaseRest);
    return events;
}

TEST_F(AnimateBlocks, AVanishingSoundsOnceOnItsFirstFrame) {
    EXPECT_EQ(vanishAndListen(NORMAL), std::vector<std::string>{"1: play 142 0"});
}

TEST_F(AnimateBlocks, TheGameOverChurnIsNotBenchAndSounds) {
    EXPECT_EQ(vanishAndListen(QUIT), std::vector<std::string>{"1: play 142 0"});
}

TEST_F(AnimateBlocks, VanishingIsSilentInBench) {
    EXPECT_EQ(vanishAndListen(BENCH), std::vector<std::string>{});
}

TEST_F(AnimateBlocks, EachVanishingRestartsTheSound) {
    clearField();
    placeBlock(7, 3, 2);
    placeBlock(7, 4, 6);
    playField.value[7][3] = kCellEmpty;
    playField.value[7][4] = kCellEmpty;
    flashTick = 1;
    flashValue = 1;
    animateBlocks(NORMAL);
    EXPECT_EQ(platform::probe::takeSoundEvents(),
              (std::vector<std::string>{"play 142 0", "stop 142 0", "play 142 0"}));
}

TEST_F(AnimateBlocks, FlashesEveryRestingBlockOfTheChosenValueForSixSteps) {
    clearField();
    placeBlock(5, 3, 4);
    placeBlock(20, 12, 4);
    placeBlock(8, 8, 3);
    // The third number of the sequence, 10982, chooses value 4.
    resetRandom();
    nextRandom();
    nextRandom();
    flashTick = 0;
    flashValue = 1;
    const std::vector<std::pair<int32_t, int32_t>> flashFrames{{144, 0},  {144, 32},  {144, 64},
                                                               {144, 96}, {144, 128}, {64, 0}};
    for (size_t tick = 0; tick < flashFrames.size(); ++tick) {
        SCOPED_TRACE("tick " + std::to_string(tick));
        paintRect(fieldLayer, 0, 0, 460, 480, previousColour);
        animateBlocks(NORMAL);
        EXPECT_EQ(flashValue, 4);
        const Pixel frame = blockFrameColour(flashFrames[tick].first, flashFrames[tick].second);
        EXPECT_EQ(pixelAt(fieldLayer, 3 * 32 - 16 + 16, 5 * 16 + 8), frame);
        EXPECT_EQ(pixelAt(fieldLayer, 12 * 32 - 16 + 16, 20 * 16 + 8), frame);
        EXPECT_EQ(pixelAt(backBuffer, 12 * 32 - 16 + 16, 20 * 16 + 8), frame);
        EXPECT_EQ(pixelAt(fieldLayer, 8 * 32 - 16 + 16, 8 * 16 + 8), previousColour);
        EXPECT_EQ(playField.phase[5][3], kPhaseRest);
    }
    EXPECT_EQ(flashTick, 0);
    EXPECT_EQ(nextRandom(), 1090) << "a cycle draws exactly one number, at its first step";
}

TEST_F(AnimateBlocks, NoBlockFlashesInACycleWithoutAValue) {
    clearField();
    for (int32_t value = 2; value <= 6; ++value)
        placeBlock(3 + value, 3 + value, value);
    resetRandom(); // 346 % 10 + 2 = 8: no value flashes
    flashTick = 0;
    paintRect(fieldLayer, 0, 0, 460, 480, previousColour);
    for (int32_t tick = 0; tick < 6; ++tick)
        animateBlocks(NORMAL);
    EXPECT_EQ(flashValue, 1);
    for (int32_t y = 0; y < 460; y += 4) {
        for (int32_t x = 0; x < 480; x += 4) {
            ASSERT_EQ(pixelAt(fieldLayer, x, y), previousColour) << x << "," << y;
        }
    }
}

TEST_F(AnimateBlocks, LeavesCellsOutsideTheInteriorAlone) {
    clearField();
    playField.value[27][5] = 3; // a block that sank into the bottom row
    playField.shown[27][5] = 2;
    playField.value[2][7] = 2;
    playField.value[14][13] = 2;
    const PlayField before = playField;
    flashTick = 1;
    flashValue = 1;
    animateBlocks(NORMAL);
    EXPECT_EQ(std::memcmp(&before, &playField, sizeof before), 0);
}

} // namespace
