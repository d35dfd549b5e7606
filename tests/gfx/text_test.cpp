#include "gfx/text.h"

#include <gtest/gtest.h>

#include <string_view>

#include "gfx/surface_util.h"
#include "gfx/surfaces.h"
#include "support/program_reset.h"

namespace {

constexpr Pixel kPaper{9, 9, 9};

// Every pixel of the sheet names its cell and its place in the cell: blue = cell column, green =
// cell row, red = 16 x line + column within the cell. The bottom-right pixel of every cell is
// white.
Pixel sheetPixel(int32_t x, int32_t y) {
    if (x % 16 == 15 && y % 16 == 15) return {255, 255, 255};
    return {static_cast<uint8_t>(x / 16), static_cast<uint8_t>(y / 16),
            static_cast<uint8_t>(y % 16 * 16 + x % 16)};
}

class TextTest : public testing::Test {
  protected:
    void SetUp() override {
        renewSurfaces();
        makeSurface(fontSheet, 960, 64);
        for (int32_t y = 0; y < 64; ++y)
            for (int32_t x = 0; x < 960; ++x)
                setPixel(fontSheet, x, y, sheetPixel(x, y));
        makeSurface(target, 96, 48);
        fillSurface(target, kPaper.red, kPaper.green, kPaper.blue);
    }
    void TearDown() override { renewSurfaces(); }

    // Whether the 16 x 16 block at (left, top) of the target shows the cell at (cellLeft,
    // cellTop), with the key pixel leaving the paper visible.
    void expectCell(int32_t left, int32_t top, int32_t cellLeft, int32_t cellTop) {
        for (int32_t i = 0; i < 16; ++i)
            for (int32_t j = 0; j < 16; ++j) {
                const Pixel want =
                    i == 15 && j == 15 ? kPaper : sheetPixel(cellLeft + j, cellTop + i);
                ASSERT_EQ(pixelAt(target, left + j, top + i), want)
                    << "cell " << cellLeft << "," << cellTop << " at " << left << "," << top;
            }
    }
    void expectPaper(int32_t left, int32_t top, int32_t width, int32_t height) {
        for (int32_t i = 0; i < height; ++i)
            for (int32_t j = 0; j < width; ++j)
                ASSERT_EQ(pixelAt(target, left + j, top + i), kPaper) << left + j << "," << top + i;
    }

    QUORINImage target;
};

TEST_F(TextTest, LettersComeFromTheLetterRowOfTheirStyle) {
    drawText("AB\n", 10, 20, 0, target);
    expectCell(10, 20, 0, 0);
    expectCell(26, 20, 16, 0);
    expectPaper(42, 20, 54, 16);
}

TEST_F(TextTest, DigitsComeFromTheDigitRowAndSpacesOnlyMoveThePen) {
    drawText("1 2\n", 0, 0, 1, target);
    expectCell(0, 0, 16, 48);
    expectPaper(16, 0, 16, 16);
    expectCell(32, 0, 32, 48);
}

TEST_F(TextTest, TheCharactersAfterNineFollowTheDigits) {
    drawText(":@\n", 0, 0, 0, target);
    expectCell(0, 0, 160, 32);
    expectCell(16, 0, 256, 32);
}

TEST_F(TextTest, ALowerCaseLetterUsesTheCellsAfterZ) {
    drawText("a\n", 0, 0, 0, target);
    expectCell(0, 0, 512, 0);
}

TEST_F(TextTest, CharactersLeftOfTheSheetDrawNothingButMoveThePen) {
    for (std::string_view text : {"!A\n",
                                  "\xC8"
                                  "A\n",
                                  "\x80"
                                  "A\n"}) {
        fillSurface(target, kPaper.red, kPaper.green, kPaper.blue);
        drawText(text, 0, 0, 0, target);
        expectPaper(0, 0, 16, 16);
        expectCell(16, 0, 0, 0);
    }
}

TEST_F(TextTest, TheLineFeedEndsTheTextAndANulDoesNot) {
    drawText("\nA", 0, 0, 0, target);
    expectPaper(0, 0, 96, 48);
    drawText(std::string_view("A\0B\nC", 5), 0, 0, 0, target);
    expectCell(0, 0, 0, 0);
    expectPaper(16, 0, 16, 16);
    expectCell(32, 0, 16, 0);
    expectPaper(48, 0, 48, 16);
}

TEST_F(TextTest, ATextWithoutALineFeedEndsAtItsEnd) {
    const char buffer[] = {'A', 'B', 'C'};
    drawText(std::string_view(buffer, 2), 0, 0, 0, target);
    expectCell(0, 0, 0, 0);
    expectCell(16, 0, 16, 0);
    expectPaper(32, 0, 64, 16);
}

TEST_F(TextTest, ThePenIsAThirtyTwoBitValueWhoseLowBitsPlaceTheCell) {
    drawText("AB\n", 65536 - 16, 0, 0, target); // A at left -16, B at left 0 after wrapping
    expectCell(0, 0, 16, 0);
    drawText("AB\n", 2147483632, 16, 0, target); // the pen passes the top of the 32-bit range
    expectCell(0, 16, 16, 0);
}

TEST_F(TextTest, ShadowedLabelsPutTheFaceOverTheShadow) {
    drawShadowedText("A\n", 10, 10, target);
    EXPECT_EQ(pixelAt(target, 26, 26), kPaper);
    EXPECT_EQ(pixelAt(target, 25, 25), sheetPixel(14, 14)); // shadow, style 0
    EXPECT_EQ(pixelAt(target, 10, 10), sheetPixel(0, 16));  // face, style 1, over the shadow
    EXPECT_EQ(pixelAt(target, 25, 10), sheetPixel(15, 16));
    EXPECT_EQ(pixelAt(target, 25, 24), sheetPixel(15, 30));

    fillSurface(target, kPaper.red, kPaper.green, kPaper.blue);
    drawShadowedText("A\n", 10, 10, target, true);
    EXPECT_EQ(pixelAt(target, 9, 9), sheetPixel(0, 0)); // the last pass lies on top
    EXPECT_EQ(pixelAt(target, 10, 10), sheetPixel(1, 1));
    EXPECT_EQ(pixelAt(target, 25, 25), sheetPixel(14, 14));
}

} // namespace
