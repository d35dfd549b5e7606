#include "field_fixture.h"
#include "game/random.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

struct StageCase {
    const char* name;
    GameMode mode;
    int32_t rateFactor;
    std::set<int32_t> rows;
    int32_t draws;
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

    std::vector<int32_t> numbers;
    resetRandom();
    for (int32_t i = 0; i < c.draws; ++i)
        numbers.push_back(nextRandom());
    const int32_t nextAfterStage = nextRandom();
    resetRandom();
    fillStage(c.mode, c.rateFactor);
    EXPECT_EQ(nextRandom(), nextAfterStage) << "the stage drew a different count of numbers";

    size_t drawn = 0;
    for (int32_t row = 0; row < fieldRows; ++row) {
        for (int32_t column = 0; column < fieldColumns; ++column) {
            const bool filled = c.rows.count(row) != 0 && column >= 3 && column <= 12;
            int32_t expected = cellEmpty;
            if (filled) {
                expected = c.rateFactor != 0 ? 3 + (numbers.at(drawn++) & 1) : cellStrongest;
            }
            ASSERT_EQ(playField.shown[row][column], expected) << row << "," << column;
            ASSERT_EQ(playField.value[row][column], expected) << row << "," << column;
            ASSERT_EQ(playField.phase[row][column], phaseRest) << row << "," << column;
        }
    }
}

const std::set<int32_t> allRows{3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};

INSTANTIATE_TEST_SUITE_P(Variants, FillStage,
                         testing::Values(StageCase{"Normal", NORMAL, 2, {4, 6, 8, 10, 12}, 50},
                                         StageCase{"Super", SUPER, 2, allRows, 110},
                                         StageCase{"Hyper", HYPER, 2, allRows, 110},
                                         StageCase{"UltraAsHyper", HYPER, 0, allRows, 0},
                                         StageCase{"Bench", BENCH, 0, allRows, 0}),
                         [](const testing::TestParamInfo<StageCase>& info) {
                             return std::string(info.param.name);
                         });

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
                    HeightCase{"RowFive", {{5, 12}, {3, 3}}, NORMAL, 4},
                    HeightCase{"LowestOfSeveral", {{8, 3}, {13, 9}, {10, 12}}, NORMAL, 12},
                    HeightCase{"RowTwentySeven", {{27, 12}, {4, 4}}, NORMAL, 26},
                    HeightCase{"RowTwentySix", {{26, 3}}, NORMAL, 25},
                    HeightCase{"BenchFloorIsNoBlock", {{9, 5}}, BENCH, 8},
                    HeightCase{"BenchFloorAlone", {}, BENCH, 3}),
    [](const testing::TestParamInfo<HeightCase>& info) { return std::string(info.param.name); });

TEST(FindHeight, ReadsTheValuePlaneNotTheShownOne) {
    clearField();
    placeBlock(20, 5, 3);
    playField.value[20][5] = cellEmpty;
    playField.shown[22][6] = cellEmpty;
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
    const int32_t column = nextRandom() % 10 + 3;
    const int32_t row = nextRandom() % (height - 2) + 3;
    resetRandom();
    growBlock(height, c.rateFactor);
    PlayField expected = before;
    expected.value[row][column] = c.after;
    for (int32_t r = 0; r < fieldRows; ++r) {
        for (int32_t k = 0; k < fieldColumns; ++k) {
            ASSERT_EQ(playField.value[r][k], expected.value[r][k]) << r << "," << k;
            ASSERT_EQ(playField.shown[r][k], expected.shown[r][k]) << r << "," << k;
            ASSERT_EQ(playField.phase[r][k], expected.phase[r][k]) << r << "," << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, GrowBlock,
    testing::Values(GrowCase{"EmptyBecomesWeakest", cellEmpty, 2, 2},
                    GrowCase{"EmptyBecomesStrongestWithoutRate", cellEmpty, 0, 6},
                    GrowCase{"TwoToThree", 2, 2, 3}, GrowCase{"FiveToSix", 5, 0, 6},
                    GrowCase{"SixStays", 6, 2, 6}, GrowCase{"WallStays", cellWall, 2, cellWall}),
    [](const testing::TestParamInfo<GrowCase>& info) { return std::string(info.param.name); });

TEST(GrowBlock, AtHeightThreeAlwaysPicksRowThree) {
    clearField();
    resetRandom();
    for (int i = 0; i < 200; ++i)
        growBlock(3, 2);
    int32_t grown = 0;
    for (int32_t row = 0; row < fieldRows; ++row) {
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
