#include "game/score_panel.h"

#include "game/round_values.h"
#include "gfx/blit.h"
#include "gfx/sprite.h"
#include "gfx/surfaces.h"
#include "gfx/text.h"
#include "objects/program_data.h"

#include <algorithm>

namespace {

constexpr BlitRect kGlyphCell{0, 0, 16, 16};
constexpr int16_t kStyle0DigitRow = 32;
constexpr int16_t kStyle1DigitRow = 48;
constexpr int32_t kLastDigitLeft = 608;
constexpr int32_t kDigitWidth = 16;
constexpr int32_t kLargestShown = 99999999;

// The digit sprites come into being at their first use and live to the end of the program.
QUORINSprite freshSprite() {
    QUORINSprite sprite;
    resetSprite(sprite);
    return sprite;
}

void setUpDigit(QUORINSprite& digit) {
    initSprite(digit, keyed, fontSheet, &kGlyphCell, backBuffer, 1.0f);
}

// Right-aligned on the cell at 608; at least one digit, so 0 shows as a single zero. The areas
// hold eight digits: a larger number (BENCH passes a hundred million) shows as 99999999 instead
// of spilling left of the erased area, where the tenth digit would land in the play area.
void drawNumber(QUORINSprite& digit, int32_t value, int16_t sourceTop, int16_t top) {
    value = std::min(value, kLargestShown);
    int32_t left = kLastDigitLeft;
    do {
        digit.srcRect.top = sourceTop;
        digit.srcRect.left = static_cast<int16_t>(kDigitWidth * (value % 10));
        digit.destRect.top = top;
        digit.destRect.left = static_cast<int16_t>(left);
        drawSprite(digit);
        value /= 10;
        left -= kDigitWidth;
    } while (value > 0);
}

} // namespace

void drawPanelLabels(GameMode mode) {
    drawText("HISCORE\n", 496, 128, 1, bgLayer);
    drawText("SCORE\n", 496, 192, 0, bgLayer);
    drawText("LEVEL\n", 496, 256, 0, bgLayer);
    switch (mode) {
    case HYPER:
        drawShadowedText("HYPER\n", 511, 351, bgLayer);
        break;
    case SUPER:
        drawText("SUPER\n", 512, 352, 1, bgLayer);
        break;
    case ULTRA:
        drawShadowedText("ULTRA\n", 511, 351, bgLayer, true);
        break;
    case NORMAL:
        drawText("NORMAL\n", 512, 352, 0, bgLayer);
        break;
    case BENCH:
        drawText(soundDisabled != 0 ? "B NOSND\n" : "BENCH\n", 512, 352, 0, bgLayer);
        break;
    default:
        break;
    }
}

int32_t highScoreIndex(GameMode mode, int32_t rateFactor) {
    return mode == HYPER && rateFactor == 0 ? ULTRA : mode;
}

void showScore(GameMode mode, int32_t rateFactor) {
    int32_t& highScore = ScoreTable[highScoreIndex(mode, rateFactor)];
    if (highScore < score) highScore = score;

    static QUORINSprite digit = freshSprite();
    setUpDigit(digit);

    blit(bgLayer, copy, kHighScoreArea, backBuffer, kHighScoreArea, 1.0f);
    blit(bgLayer, copy, kScoreArea, backBuffer, kScoreArea, 1.0f);
    drawNumber(digit, highScore, kStyle1DigitRow, kHighScoreArea.top);
    drawNumber(digit, score, kStyle0DigitRow, kScoreArea.top);
    blit(backBuffer, copy, kHighScoreArea, screen, kHighScoreArea, 1.0f);
    blit(backBuffer, copy, kScoreArea, screen, kScoreArea, 1.0f);
}

void showLevel(int32_t level) {
    static QUORINSprite ones = freshSprite();
    static QUORINSprite tens = freshSprite();
    for (QUORINSprite* digit : {&ones, &tens}) {
        setUpDigit(*digit);
        digit->restoreSource = &bgLayer;
        digit->destRect.top = kLevelArea.top;
    }
    ones.destRect.left = kLastDigitLeft;
    tens.destRect.left = kLastDigitLeft - kDigitWidth;

    restoreSprite(ones);
    ones.srcRect.top = kStyle0DigitRow;
    ones.srcRect.left = static_cast<int16_t>(kDigitWidth * (level % 10));
    drawSprite(ones);
    if (level > 9) {
        restoreSprite(tens);
        tens.srcRect.top = kStyle0DigitRow;
        tens.srcRect.left = static_cast<int16_t>(kDigitWidth * (level / 10));
        drawSprite(tens);
    }
    blit(backBuffer, copy, kLevelArea, screen, kLevelArea, 1.0f);
}
