#pragma once
// Small grids for the play-field, animation and ball tests: an empty walled field and a way to
// put single cells into it.
#include "game/play_field.h"

#include <cstdint>

// Every cell empty and at rest, then the frame of walls as a round builds it (no drawing).
inline void clearField(GameMode mode = NORMAL) {
    for (int32_t row = 0; row < kFieldRows; ++row) {
        for (int32_t column = 0; column < kFieldColumns; ++column) {
            const bool bottomWall = row == 27 && (column < 3 || column > 12 || mode == BENCH);
            const bool wall = row == 0 || column == 0 || column == kFieldColumns - 1 || bottomWall;
            const int8_t cell = wall ? kCellWall : kCellEmpty;
            playField.shown[row][column] = cell;
            playField.value[row][column] = cell;
            playField.phase[row][column] = kPhaseRest;
        }
    }
}

// A block at rest, showing its value.
inline void placeBlock(int32_t row, int32_t column, int8_t cell) {
    playField.shown[row][column] = cell;
    playField.value[row][column] = cell;
    playField.phase[row][column] = kPhaseRest;
}

inline int32_t countBlocks() {
    int32_t count = 0;
    for (auto& row : playField.value) {
        for (int8_t cell : row)
            count += isBlock(cell) ? 1 : 0;
    }
    return count;
}
