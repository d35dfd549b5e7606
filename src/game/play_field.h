#pragma once
// The walled block grid of a round: 29 rows by 16 columns in three planes. `value` is what the
// balls collide with, `shown` is what is drawn on fieldLayer now, and `phase` is how far a cell's
// animation has come from `shown` toward `value` (5 at rest).
#include "game/game_mode.h"
#include "gfx/blit_rect.h"

#include <cstdint>

constexpr int32_t kFieldRows = 29;
constexpr int32_t kFieldColumns = 16;

// Cell values: below 2 is empty, 2 to 6 a block of that strength plus one, 99 a wall.
constexpr int8_t kCellEmpty = 1;
constexpr int8_t kCellStrongest = 6;
constexpr int8_t kCellWall = 99;
constexpr int8_t kPhaseRest = 5;

struct PlayField {
    int8_t shown[kFieldRows][kFieldColumns];
    int8_t value[kFieldRows][kFieldColumns];
    int8_t phase[kFieldRows][kFieldColumns];
};

extern PlayField playField;

inline bool isBlock(int32_t cell) {
    return cell > kCellEmpty && cell != kCellWall;
}

// Positions are tenths of a pixel from the frame's inner top-left corner; the wall cells of
// column 0 and row 0 lie at negative positions, so both divisions truncate toward zero.
inline int32_t columnAt(int32_t x) {
    return (x + 320) / 320;
}
inline int32_t rowAt(int32_t y) {
    return (y + 160) / 160;
}

// The pixel rectangle of a cell, the same on fieldLayer, bgLayer, backBuffer and the window.
inline BlitRect cellRect(int32_t row, int32_t column) {
    return BlitRect{static_cast<int16_t>(16 * row), static_cast<int16_t>(32 * column - 16), 16, 32};
}

// Clears all three planes and lays the starting blocks of the variant; rateFactor 0 lays full
// strength blocks without drawing random numbers.
void fillStage(GameMode mode, int32_t rateFactor);
// Rebuilds fieldLayer from bgLayer and the steady images of the `shown` plane.
void drawBlocks();
// The lowest row, from 27 up to 5, holding a block in columns 3 to 12, minus one; else 3.
int32_t findHeight();
// Raises one random cell of rows 3 to height, columns 3 to 12 (height at least 3).
void growBlock(int32_t height, int32_t rateFactor);
// Sinks the block mass by one row, redraws it onto fieldLayer and backBuffer and thuds.
void descendField();
