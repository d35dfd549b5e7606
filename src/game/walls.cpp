#include "game/play_field.h"

void buildWalls(GameMode mode) {
    for (int32_t row = 0; row < fieldRows; ++row) {
        playField.shown[row][0] = cellWall;
        playField.value[row][0] = cellWall;
        playField.shown[row][fieldColumns - 1] = cellWall;
        playField.value[row][fieldColumns - 1] = cellWall;
    }
    for (int32_t column = 0; column < fieldColumns; ++column) {
        playField.shown[0][column] = cellWall;
        playField.value[0][column] = cellWall;
        if (column < 3 || column > 12 || mode == BENCH) {
            playField.shown[27][column] = cellWall;
            playField.value[27][column] = cellWall;
        }
    }
}

void drawBlocks() {}
