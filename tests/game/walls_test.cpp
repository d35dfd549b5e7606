#include "field_fixture.h"
#include "game/random.h"
#include "game/walls.h"
#include "support/case_name.h"
#include "surface_fixture.h"

#include <gtest/gtest.h>

namespace {

struct WallCase {
    const char* name;
    GameMode mode;
    bool closedFloor;
};

void PrintTo(const WallCase& c, std::ostream* os) {
    *os << c.name;
}

class BuildWalls : public DrawingTest, public testing::WithParamInterface<WallCase> {};

TEST_P(BuildWalls, MarksTheFrameCellsAndLeavesTheRest) {
    const WallCase& c = GetParam();
    resetRandom();
    fillStage(c.mode == NORMAL ? NORMAL : HYPER, 2);
    for (auto& row : playField.phase) {
        for (int8_t& cell : row)
            cell = 3;
    }
    const PlayField before = playField;
    buildWalls(c.mode);
    for (int32_t row = 0; row < kFieldRows; ++row) {
        for (int32_t column = 0; column < kFieldColumns; ++column) {
            const bool gap = column >= 3 && column <= 12 && !c.closedFloor;
            const bool wall = row == 0 || column == 0 || column == 15 || (row == 27 && !gap);
            const int8_t expected = wall ? kCellWall : before.value[row][column];
            ASSERT_EQ(playField.value[row][column], expected) << row << "," << column;
            ASSERT_EQ(playField.shown[row][column], expected) << row << "," << column;
            ASSERT_EQ(playField.phase[row][column], 3) << row << "," << column;
        }
    }
}

TEST_P(BuildWalls, DrawsTheFrameOntoTheBackgroundLayerOnly) {
    const WallCase& c = GetParam();
    buildWalls(c.mode);
    auto tileAt = [](int32_t top, int32_t left) { return pixelAt(bgLayer, left + 8, top + 8); };
    for (int32_t k = 1; k <= 26; ++k) {
        EXPECT_EQ(tileAt(16 * k, 0), tileColour(16, 0)) << k;
        EXPECT_EQ(tileAt(16 * k, 464), tileColour(16, 32)) << k;
        EXPECT_EQ(pixelAt(bgLayer, 0, 16 * k), bgColour) << "tiles are drawn keyed";
    }
    for (int32_t k = 1; k <= 28; ++k) {
        EXPECT_EQ(tileAt(0, 16 * k), tileColour(0, 16)) << k;
        const bool edge = k <= 4 || k >= 25 || c.closedFloor;
        EXPECT_EQ(tileAt(432, 16 * k), edge ? tileColour(32, 16) : bgColour) << k;
    }
    EXPECT_EQ(tileAt(0, 0), tileColour(0, 0));
    EXPECT_EQ(tileAt(0, 464), tileColour(0, 32));
    EXPECT_EQ(tileAt(432, 0), tileColour(32, 0));
    EXPECT_EQ(tileAt(432, 464), tileColour(32, 32));
    // The gap spans pixels 80 to 399, exactly over the open cells of row 27.
    EXPECT_EQ(pixelAt(bgLayer, 79, 440), tileColour(32, 16));
    EXPECT_EQ(pixelAt(bgLayer, 80, 440), c.closedFloor ? tileColour(32, 16) : bgColour);
    EXPECT_EQ(pixelAt(bgLayer, 399, 440), c.closedFloor ? tileColour(32, 16) : bgColour);
    EXPECT_EQ(pixelAt(bgLayer, 400, 440), tileColour(32, 16));
    for (int32_t x = 0; x < 640; x += 7) {
        ASSERT_EQ(pixelAt(bgLayer, x, 448), bgColour) << x << ": the floor below is open";
        ASSERT_EQ(pixelAt(bgLayer, x, 459), bgColour) << x;
    }
    for (int32_t x = 480; x < 640; x += 5)
        ASSERT_EQ(pixelAt(bgLayer, x, 200), bgColour) << x;
    EXPECT_EQ(pixelAt(bgLayer, 240, 200), bgColour);
    EXPECT_EQ(pixelAt(fieldLayer, 8, 8), oldFieldColour);
    EXPECT_EQ(pixelAt(backBuffer, 8, 8), oldBackColour);
}

INSTANTIATE_TEST_SUITE_P(Variants, BuildWalls,
                         testing::Values(WallCase{"Normal", NORMAL, false},
                                         WallCase{"Super", SUPER, false},
                                         WallCase{"Hyper", HYPER, false},
                                         WallCase{"Bench", BENCH, true}),
                         CaseName());

} // namespace
