// The panel: labels, high score, score and level, checked on the window against pictures composed
// here straight from the artwork sheets.
#include "game/round_fixture.h"

#include "game/score_panel.h"
#include "input/frame_pacer.h"

#include <string_view>

using namespace roundtest;

namespace {

// The backdrop as tiled from backdropSheet: the first tile everywhere but the bottom-right corner.
void paintBackdrop(Picture& picture, int32_t left, int32_t width) {
    for (int32_t y = 0; y < 460; ++y)
        for (int32_t x = left; x < left + width; ++x) {
            const int32_t tileTop = y / 128 * 128, tileLeft = x / 128 * 128;
            const int32_t sheetLeft = tileTop == 384 && tileLeft == 512 ? 128 : 0;
            picture.at(x, y) = pixelAt(backdropSheet, sheetLeft + x - tileLeft, y - tileTop);
        }
}

// One glyph cell of fontSheet: letters on the style's letter row, everything else on its digit
// row, counted from "0".
void paintGlyph(Picture& picture, char c, int32_t x, int32_t y, int32_t style) {
    const bool letter = c >= 'A';
    const int32_t sheetTop = style * 16 + (letter ? 0 : 32);
    const int32_t sheetLeft = (c - (letter ? 'A' : '0')) * 16;
    picture.keyFrom(fontSheet, sheetTop, sheetLeft, 16, 16, y, x);
}

void paintText(Picture& picture, std::string_view text, int32_t x, int32_t y, int32_t style) {
    for (char c : text) {
        if (c != ' ') paintGlyph(picture, c, x, y, style);
        x += 16;
    }
}

// A number right-aligned on the cell at 608.
void paintNumber(Picture& picture, int32_t value, int32_t top, int32_t style) {
    const std::string digits = std::to_string(value);
    paintText(picture, digits, 608 - 16 * int32_t(digits.size() - 1), top, style);
}

class ScorePanel : public RoundTest {
  protected:
    void SetUp() override {
        RoundTest::SetUp();
        startFrameTimer();
    }

    // The number areas as bgLayer holds them, with the two numbers on top.
    void expectNumbers(int32_t highScore, int32_t shownScore) {
        Picture expected;
        expected.copyFrom(bgLayer, 152, 496, 16, 128);
        expected.copyFrom(bgLayer, 216, 496, 16, 128);
        paintNumber(expected, highScore, 152, 1);
        paintNumber(expected, shownScore, 216, 0);
        EXPECT_EQ(firstDifference(expected, 152, 496, 16, 128), "");
        EXPECT_EQ(firstDifference(expected, 216, 496, 16, 128), "");
    }
};

struct PanelCase {
    GameMode mode;
    bool sound;
    const char* label; // as drawn, with its passes
    int32_t highScore; // after the first frame
    int32_t score;
};

void PrintTo(const PanelCase& c, std::ostream* os) {
    *os << c.label << (c.sound ? "" : " (silent)");
}

class PanelPicture : public ScorePanel, public testing::WithParamInterface<PanelCase> {};

TEST_P(PanelPicture, MatchesTheArtwork) {
    const PanelCase& c = GetParam();
    if (!c.sound) startSound(false);
    startRound(c.mode, RoundOpening::fade);
    frame();

    Picture expected;
    paintBackdrop(expected, 480, 160);
    paintText(expected, "HISCORE", 496, 128, 1);
    paintText(expected, "SCORE", 496, 192, 0);
    paintText(expected, "LEVEL", 496, 256, 0);
    const std::string_view label = c.label;
    if (c.mode == HYPER || c.mode == ULTRA) {
        paintText(expected, label, 512, 352, 0);
        paintText(expected, label, 511, 351, 1);
        if (c.mode == ULTRA) paintText(expected, label, 510, 350, 0);
    } else {
        paintText(expected, label, 512, 352, c.mode == SUPER ? 1 : 0);
    }
    paintNumber(expected, c.highScore, 152, 1);
    paintNumber(expected, c.score, 216, 0);
    paintNumber(expected, 0, 280, 0);
    EXPECT_EQ(firstDifference(expected, 0, 480, 460, 160), "");
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, PanelPicture,
                         testing::Values(PanelCase{HYPER, true, "HYPER", 30, 0},
                                         PanelCase{SUPER, true, "SUPER", 30, 0},
                                         PanelCase{ULTRA, true, "ULTRA", 1, 1},
                                         PanelCase{NORMAL, true, "NORMAL", 30, 0},
                                         PanelCase{BENCH, true, "BENCH", 30, 0},
                                         PanelCase{BENCH, false, "B NOSND", 30, 0}),
                         [](const testing::TestParamInfo<PanelCase>& info) {
                             std::string name = info.param.label;
                             name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
                             return name;
                         });

TEST_F(ScorePanel, ZeroIsOneDigitAndOnlyTheNumbersReachTheWindow) {
    startRound(SUPER);
    const std::vector<uint8_t> before = platform::probe::windowPicture();
    frame();
    expectNumbers(30, 0);
    // Outside the number areas the panel of the window is as it was.
    for (int32_t y = 0; y < 460; ++y)
        for (int32_t x = 480; x < 640; ++x) {
            const bool inNumbers =
                x >= 496 && x < 624 && ((y >= 152 && y < 168) || (y >= 216 && y < 232));
            const bool inLevel = x >= 592 && x < 624 && y >= 280 && y < 296;
            if (inNumbers || inLevel) continue;
            const size_t at = (size_t(y) * 640 + size_t(x)) * 3;
            ASSERT_TRUE(
                std::equal(&before[at], &before[at] + 3, &platform::probe::windowPicture()[at]))
                << x << "," << y;
        }
}

TEST_F(ScorePanel, HighScoreFollowsTheScoreOnceItIsPassed) {
    startRound(SUPER);
    ScoreTable[SUPER] = 120;
    score = 80;
    showScore(SUPER, 2);
    EXPECT_EQ(ScoreTable[SUPER], 120);
    expectNumbers(120, 80);
    score = 12345678;
    showScore(SUPER, 2);
    EXPECT_EQ(ScoreTable[SUPER], 12345678);
    expectNumbers(12345678, 12345678);
    // A shorter number leaves no digits of the longer one behind.
    ScoreTable[SUPER] = 7;
    score = 5;
    showScore(SUPER, 2);
    expectNumbers(7, 5);
}

TEST_F(ScorePanel, NumbersBeyondEightDigitsShowAsAllNines) {
    startRound(BENCH);
    const std::vector<uint8_t> left(backBuffer.pixels, backBuffer.pixels + 640 * 460 * 3);
    score = 480837250;
    showScore(BENCH, 0);
    EXPECT_EQ(ScoreTable[BENCH], 480837250);
    expectNumbers(99999999, 99999999);
    // Nothing was drawn left of the areas.
    for (int32_t y = 0; y < 460; ++y)
        for (int32_t x = 0; x < 496; ++x) {
            const size_t at = (size_t(459 - y) * 640 + size_t(x)) * 3;
            ASSERT_TRUE(std::equal(&left[at], &left[at] + 3, backBuffer.pixels + at))
                << x << "," << y;
        }
}

TEST_F(ScorePanel, EachVariantKeepsItsOwnHighScore) {
    struct Case {
        GameMode mode;
        int32_t rateFactor;
        int32_t index;
    };
    for (const Case& c : {Case{HYPER, 2, 1}, Case{SUPER, 2, 2}, Case{HYPER, 0, 3},
                          Case{NORMAL, 2, 4}, Case{BENCH, 0, 5}}) {
        EXPECT_EQ(highScoreIndex(c.mode, c.rateFactor), c.index);
        const int32_t defaults[6] = {30, 30, 30, 0, 30, 30};
        std::copy(std::begin(defaults), std::end(defaults), ScoreTable);
        score = 40;
        showScore(c.mode, c.rateFactor);
        for (int32_t i = 0; i < 6; ++i)
            EXPECT_EQ(ScoreTable[i], i == c.index ? 40 : defaults[i]) << c.index << " " << i;
    }
}

TEST_F(ScorePanel, LevelShowsTheTensOnlyFromTen) {
    startRound(NORMAL);
    // A mark in the tens cell of backBuffer shows that levels below 10 leave that cell alone.
    const Pixel mark{1, 2, 3};
    for (int32_t y = 280; y < 296; ++y)
        for (int32_t x = 592; x < 608; ++x) {
            uint8_t* p = backBuffer.pixels + ((459 - y) * 640 + x) * 3;
            p[0] = mark.blue, p[1] = mark.green, p[2] = mark.red;
        }
    struct Case {
        int32_t level;
        int32_t tensSheetLeft; // -1: the cell keeps the mark
        int32_t onesSheetLeft;
    };
    for (const Case& c : {Case{9, -1, 144}, Case{10, 16, 0}, Case{37, 48, 112}, Case{100, 160, 0},
                          Case{123, 192, 48}}) {
        showLevel(c.level);
        Picture expected;
        expected.copyFrom(bgLayer, 280, 592, 16, 32);
        for (int32_t y = 280; y < 296; ++y)
            for (int32_t x = 592; x < 608; ++x)
                if (c.tensSheetLeft < 0) expected.at(x, y) = mark;
        if (c.tensSheetLeft >= 0)
            expected.keyFrom(fontSheet, 32, c.tensSheetLeft, 16, 16, 280, 592);
        expected.keyFrom(fontSheet, 32, c.onesSheetLeft, 16, 16, 280, 608);
        EXPECT_EQ(firstDifference(expected, 280, 592, 16, 32), "") << "level " << c.level;
    }
}

TEST_F(ScorePanel, LevelOneArrivesInFrame101) {
    startRound(HYPER);
    for (int32_t n = 1; n <= 101; ++n)
        frame();
    Picture expected;
    expected.copyFrom(bgLayer, 280, 592, 16, 32);
    paintNumber(expected, 1, 280, 0);
    EXPECT_EQ(firstDifference(expected, 280, 592, 16, 32), "");
}

} // namespace
