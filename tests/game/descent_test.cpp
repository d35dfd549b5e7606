#include "field_fixture.h"
#include "surface_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Pixel cellCentre(QUORINImage& layer, int32_t row, int32_t column) {
    const BlitRect r = cellRect(row, column);
    return pixelAt(layer, r.left + 16, r.top + 8);
}

class DrawBlocks : public DrawingTest {};

TEST_F(DrawBlocks, RebuildsTheFieldLayerFromTheShownPlane) {
    clearField();
    placeBlock(3, 3, 2);
    placeBlock(27, 12, 6);
    playField.shown[9][7] = 3; // mid-shrink toward 2: drawn with the steady image of 3
    playField.value[9][7] = 2;
    playField.phase[9][7] = 2;
    playField.shown[12][4] = 1; // about to appear: not drawn yet
    playField.value[12][4] = 5;
    playField.shown[28][5] = 4; // row 28 is never drawn
    drawBlocks();
    EXPECT_EQ(cellCentre(fieldLayer, 3, 3), blockFrameColour(32, 0));
    EXPECT_EQ(cellCentre(fieldLayer, 27, 12), blockFrameColour(96, 0));
    EXPECT_EQ(cellCentre(fieldLayer, 9, 7), blockFrameColour(48, 0));
    EXPECT_EQ(cellCentre(fieldLayer, 12, 4), bgColour);
    EXPECT_EQ(cellCentre(fieldLayer, 28, 5), bgColour);
    EXPECT_EQ(cellCentre(fieldLayer, 0, 5), bgColour) << "walls are not block images";
    EXPECT_EQ(cellCentre(fieldLayer, 14, 0), bgColour);
    const BlitRect r = cellRect(3, 3);
    EXPECT_EQ(pixelAt(fieldLayer, r.left, r.top), white) << "steady images are copied";
    EXPECT_EQ(pixelAt(backBuffer, 100, 100), oldBackColour) << "only fieldLayer is drawn";
}

class DescendField : public DrawingTest {};

TEST_F(DescendField, SinksTheMassOneRowAndKeepsTheFrame) {
    clearField();
    for (int32_t column = 3; column <= 12; ++column)
        placeBlock(3, column, 4);
    placeBlock(13, 6, 5);
    playField.shown[26][3] = 3; // mid-shrink, so all three planes must move together
    playField.value[26][3] = 2;
    playField.phase[26][3] = 2;
    placeBlock(26, 12, 6);
    const PlayField before = playField;
    descendField();

    for (int32_t row = 0; row < kFieldRows; ++row) {
        for (int32_t column = 0; column < kFieldColumns; ++column) {
            const bool moved = row >= 3 && row <= 27 && column >= 3 && column <= 12;
            const int32_t from = moved ? row - 1 : row;
            ASSERT_EQ(playField.shown[row][column], before.shown[from][column])
                << row << "," << column;
            ASSERT_EQ(playField.value[row][column], before.value[from][column])
                << row << "," << column;
            ASSERT_EQ(playField.phase[row][column], before.phase[from][column])
                << row << "," << column;
        }
    }
    EXPECT_EQ(playField.value[3][7], kCellEmpty);
    EXPECT_EQ(playField.value[4][7], 4);
    EXPECT_EQ(playField.value[27][3], 2);
    EXPECT_EQ(playField.value[27][2], kCellWall);
    EXPECT_EQ(findHeight(), 26);
}

TEST_F(DescendField, RedrawsComposesAndThuds) {
    clearField();
    placeBlock(26, 8, 5);
    placeBlock(3, 3, 2);
    descendField();
    for (QUORINImage* layer : {&fieldLayer, &backBuffer}) {
        EXPECT_EQ(cellCentre(*layer, 27, 8), blockFrameColour(80, 0)) << "over the gap";
        EXPECT_EQ(cellCentre(*layer, 26, 8), bgColour);
        EXPECT_EQ(cellCentre(*layer, 4, 3), blockFrameColour(32, 0));
        EXPECT_EQ(cellCentre(*layer, 3, 3), bgColour);
    }
    EXPECT_EQ(pixelAt(backBuffer, 560, 200), oldBackColour) << "only the play area is composed";
    EXPECT_EQ(platform::probe::takeSoundEvents(), std::vector<std::string>{"play 143 0"});
}

} // namespace
