#include "game/play_field.h"

#include "game/random.h"
#include "gfx/blit.h"
#include "gfx/sprite.h"
#include "gfx/surfaces.h"
#include "objects/inventory.h"

PlayField playField;

namespace {

constexpr int32_t kFirstBlockColumn = 3;
constexpr int32_t kLastBlockColumn = 12;

void setCell(int32_t row, int32_t column, int8_t cell) {
    playField.shown[row][column] = cell;
    playField.value[row][column] = cell;
}

} // namespace

void fillStage(GameMode mode, int32_t rateFactor) {
    for (int32_t row = 0; row < kFieldRows; ++row) {
        for (int32_t column = 0; column < kFieldColumns; ++column) {
            setCell(row, column, kCellEmpty);
            playField.phase[row][column] = kPhaseRest;
        }
    }
    for (int32_t row = 3; row <= 13; ++row) {
        if (row % 2 != 0 && mode == NORMAL) continue;
        for (int32_t column = kFirstBlockColumn; column <= kLastBlockColumn; ++column) {
            const int32_t cell = rateFactor != 0 ? 3 + (nextRandom() & 1) : kCellStrongest;
            setCell(row, column, static_cast<int8_t>(cell));
        }
    }
}

int32_t findHeight() {
    for (int32_t row = 27; row >= 5; --row) {
        for (int32_t column = kFirstBlockColumn; column <= kLastBlockColumn; ++column) {
            if (isBlock(playField.value[row][column])) return row - 1;
        }
    }
    return 3;
}

void growBlock(int32_t height, int32_t rateFactor) {
    const int32_t column = nextRandom() % 10 + kFirstBlockColumn;
    const int32_t row = nextRandom() % (height - 2) + 3;
    int8_t& cell = playField.value[row][column];
    if (cell < 2) {
        cell = rateFactor != 0 ? 2 : kCellStrongest;
    } else if (cell < kCellStrongest) {
        ++cell;
    }
}

void drawBlocks() {
    drawSprite(clearFieldSprite);
    // Cells in mid-animation get the steady image of what they show; the animation catches up.
    constexpr BlitRect kSteadyImage{0, 0, 16, 32};
    QUORINSprite sprite;
    resetSprite(sprite);
    initSprite(sprite, copy, blockSheet, &kSteadyImage, fieldLayer, 1.0f);
    for (int32_t row = 1; row <= 27; ++row) {
        for (int32_t column = 1; column <= 14; ++column) {
            const int32_t shown = playField.shown[row][column];
            if (!isBlock(shown)) continue;
            sprite.srcRect.top = static_cast<int16_t>(16 * shown);
            sprite.destRect = cellRect(row, column);
            drawSprite(sprite);
        }
    }
}

void descendField() {
    for (int32_t row = 26; row >= 2; --row) {
        for (int32_t column = kFirstBlockColumn; column <= kLastBlockColumn; ++column) {
            if (playField.value[row][column] == kCellWall) continue;
            playField.shown[row + 1][column] = playField.shown[row][column];
            playField.value[row + 1][column] = playField.value[row][column];
            playField.phase[row + 1][column] = playField.phase[row][column];
        }
    }
    drawBlocks();
    drawSprite(composeFieldSprite);
    descentSlot.stop();
    descentSlot.playIfIdle(clip143);
}
