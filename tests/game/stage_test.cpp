#include "field_fixture.h"
#include "game/random.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct StageCase {
    const char* name;
    GameMode mode;
    int32_t rateFactor;
    // Row number and the cells of columns 3 to 12; every other cell is empty.
    std::vector<std::pair<int32_t, const char*>> rows;
    int32_t nextNumber; // the generator's next number after the stage was laid
};

void PrintTo(const StageCase& c, std::ostream* os) {
    *os << c.name;
}

class FillStage : public testing::TestWithParam<StageCase> {};

TEST_P(FillStage, LaysTheVariantsRowsAndDrawsOneNumberPerBlock) {
    const StageCase& c = GetParam();
    for (auto& plane : {&playField.shown, &playField.value, &playField.phase}) {
        for (auto& row : *plane) {
            for (int8_t& cell : row)
                cell = 42;
        }
    }
    resetRandom();
    fillStage(c.mode, c.rateFactor);
    EXPECT_EQ(nextRandom(), c.nextNumber) << "the stage drew a different count of numbers";

    for (int32_t row = 0; row < kFieldRows; ++row) {
        const char* cells = "1111111111";
        for (auto [filled, laid] : c.rows)
            cells = filled == row ? laid : cells;
        for (int32_t column = 0; column < kFieldColumns; ++column) {
            const bool inner = column >= 3 && column <= 12;
            const int32_t expected = inner ? cells[column - 3] - '0' : kCellEmpty;
            ASSERT_EQ(playField.shown[row][column], expected) << row << "," << column;
            ASSERT_EQ(playField.value[row][column], expected) << row << "," << column;
            ASSERT_EQ(playField.phase[row][column], kPhaseRest) << row << "," << column;
        }
    }
}

// With a rate factor each block is 3 plus the lowest bit of the next number: the sequence
// starts 346, 130, 10982, 1090, 11656, 7117, 17595, 6415, 22948, 31126, so the first row laid
// reads 3333344433. NORMAL's 50 draws are followed by 20427, the others' 110 by 20126; without
// a rate factor nothing is drawn, so 346 still comes next.
const std::vector<std::pair<int32_t, const char*>> normalRows{{4, "3333344433"},
                                                              {6, "3344333444"},
                                                              {8, "4434343443"},
                                                              {10, "4444334443"},
                                                              {12, "4333343344"}};
const std::vector<std::pair<int32_t, const char*>> allRows{
    {3, "3333344433"},  {4, "3344333444"},  {5, "4434343443"}, {6, "4444334443"},
    {7, "4333343344"},  {8, "4343334334"},  {9, "4434334434"}, {10, "4443443333"},
    {11, "3333443334"}, {12, "3444444334"}, {13, "4444344434"}};
const std::vector<std::pair<int32_t, const char*>> strongestRows{
    {3, "6666666666"},  {4, "6666666666"},  {5, "6666666666"}, {6, "6666666666"},
    {7, "6666666666"},  {8, "6666666666"},  {9, "6666666666"}, {10, "6666666666"},
    {11, "6666666666"}, {12, "6666666666"}, {13, "6666666666"}};

INSTANTIATE_TEST_SUITE_P(Variants, FillStage,
                         testing::Values(StageCase{"Normal", NORMAL, 2, normalRows, 20427},
                                         StageCase{"Super", SUPER, 2, allRows, 20126},
                                         StageCase{"Hyper", HYPER, 2, allRows, 20126},
                                         StageCase{"UltraAsHyper", HYPER, 0, strongestRows, 346},
                                         StageCase{"Bench", BENCH, 0, strongestRows, 346}),
                         CaseName());

TEST(FillStage, NormalMixesBothStrengths) {
    resetRandom();
    fillStage(NORMAL, 2);
    int32_t threes = 0;
    int32_t fours = 0;
    for (auto& row : playField.value) {
        for (int8_t cell : row) {
            threes += cell == 3 ? 1 : 0;
            fours += cell == 4 ? 1 : 0;
        }
    }
    EXPECT_EQ(threes + fours, 50);
    EXPECT_GT(threes, 0);
    EXPECT_GT(fours, 0);
}

struct HeightCase {
    const char* name;
    std::vector<std::pair<int32_t, int32_t>> blocks; // row, column
    GameMode walls;
    int32_t height;
};

void PrintTo(const HeightCase& c, std::ostream* os) {
    *os << c.name;
}

class FindHeight : public testing::TestWithParam<HeightCase> {};

TEST_P(FindHeight, ReturnsTheRowAboveTheLowestBlock) {
    const HeightCase& c = GetParam();
    clearField(c.walls);
    for (auto [row, column] : c.blocks)
        placeBlock(row, column, 2);
    EXPECT_EQ(findHeight(), c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FindHeight,
    testing::Values(HeightCase{"Empty", {}, NORMAL, 3},
                    HeightCase{"OnlyRowsThreeAndFour", {{3, 3}, {4, 12}, {3, 7}}, NORMAL, 3},
                    HeightCase{"OnlyRowThree", {{3, 3}, {3, 12}}, NORMAL, 3},
                    HeightCase{"RowFive", {{5, 12}, {3, 3}}, NORMAL, 4},
                    HeightCase{"LowestOfSeveral", {{8, 3}, {13, 9}, {10, 12}}, NORMAL, 12},
                    HeightCase{"RowTwentySeven", {{27, 12}, {4, 4}}, NORMAL, 26},
                    HeightCase{"RowTwentySix", {{26, 3}}, NORMAL, 25},
                    HeightCase{"BenchFloorIsNoBlock", {{9, 5}}, BENCH, 8},
                    HeightCase{"BenchFloorAlone", {}, BENCH, 3}),
    CaseName());

TEST(FindHeight, ReadsTheValuePlaneNotTheShownOne) {
    clearField();
    placeBlock(20, 5, 3);
    playField.value[20][5] = kCellEmpty;
    playField.shown[22][6] = kCellEmpty;
    playField.value[22][6] = 2;
    EXPECT_EQ(findHeight(), 21);
}

struct GrowCase {
    const char* name;
    int8_t before;
    int32_t rateFactor;
    int8_t after;
};

void PrintTo(const GrowCase& c, std::ostream* os) {
    *os << c.name;
}

class GrowBlock : public testing::TestWithParam<GrowCase> {};

// Every cell the growth may pick holds the same value, so exactly the drawn cell must change.
TEST_P(GrowBlock, RaisesTheDrawnCellOnly) {
    const GrowCase& c = GetParam();
    const int32_t height = 17;
    clearField();
    for (int32_t row = 3; row <= height; ++row) {
        for (int32_t column = 3; column <= 12; ++column)
            placeBlock(row, column, c.before);
    }
    const PlayField before = playField;
    resetRandom();
    growBlock(height, c.rateFactor);
    // The first two numbers, 346 and 130, pick column 346 % 10 + 3 = 9 and row 130 % 15 + 3 = 13.
    PlayField expected = before;
    expected.value[13][9] = c.after;
    for (int32_t r = 0; r < kFieldRows; ++r) {
        for (int32_t k = 0; k < kFieldColumns; ++k) {
            ASSERT_EQ(playField.value[r][k], expected.value[r][k]) << r << "," << k;
            ASSERT_EQ(playField.shown[r][k], expected.shown[r][k]) << r << "," << k;
            ASSERT_EQ(playField.phase[r][k], expected.phase[r][k]) << r << "," << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, GrowBlock,
    testing::Values(GrowCase{"EmptyBecomesWeakest", kCellEmpty, 2, 2},
                    GrowCase{"EmptyBecomesStrongestWithoutRate", kCellEmpty, 0, 6},
                    GrowCase{"TwoToThree", 2, 2, 3}, GrowCase{"FiveToSix", 5, 0, 6},
                    GrowCase{"SixStays", 6, 2, 6}, GrowCase{"WallStays", kCellWall, 2, kCellWall}),
    CaseName());

TEST(GrowBlock, AtHeightThreeAlwaysPicksRowThree) {
    clearField();
    resetRandom();
    for (int i = 0; i < 200; ++i)
        growBlock(3, 2);
    int32_t grown = 0;
    for (int32_t row = 0; row < kFieldRows; ++row) {
        for (int32_t column = 3; column <= 12; ++column) {
            if (row == 3) {
                grown += isBlock(playField.value[row][column]) ? 1 : 0;
            } else if (row != 0) {
                ASSERT_FALSE(isBlock(playField.value[row][column])) << row << "," << column;
            }
        }
    }
    EXPECT_EQ(grown, 10);
}

TEST(GrowBlock, DrawsTheColumnBeforeTheRow) {
    clearField();
    resetRandom();
    growBlock(26, 2);
    // 346 % 10 + 3 = 9 and 130 % 24 + 3 = 13; drawing the row first would pick column 3.
    EXPECT_EQ(playField.value[13][9], 2);
    EXPECT_EQ(countBlocks(), 1);
}

} // namespace
