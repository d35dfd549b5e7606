#include "game/block_animation.h"

#include "game/play_field.h"
#include "game/random.h"

int32_t flashTick = 0;
int32_t flashValue = 1;

namespace {

void eraseCell(int32_t row, int32_t column) {
    (void)row;
    (void)column;
}

void showFrame(int32_t row, int32_t column, int32_t top, int32_t left) {
    (void)row;
    (void)column;
    (void)top;
    (void)left;
}

void playVanishSound() {}

void growStep(int32_t row, int32_t column) {
    int8_t& shown = playField.shown[row][column];
    int8_t& phase = playField.phase[row][column];
    if (phase >= phaseRest) {
        phase = 1;
    } else if (++phase == phaseRest) {
        ++shown;
    }
    if (shown < 2) {
        shown = cellEmpty;
        eraseCell(row, column);
        showFrame(row, column, 16, 32 * phase);
    } else {
        showFrame(row, column, 16 * shown, 32 * (phase % 5));
    }
}

void shrinkStep(int32_t row, int32_t column, GameMode mode) {
    int8_t& shown = playField.shown[row][column];
    int8_t& value = playField.value[row][column];
    int8_t& phase = playField.phase[row][column];
    // A block whose value has dropped to empty vanishes at once, whatever it showed.
    if (value == cellEmpty && phase == phaseRest) shown = 2;
    if (phase >= phaseRest) {
        phase = 4;
        --shown;
    } else {
        --phase;
    }
    if (shown == cellEmpty) {
        if (phase == 4 && mode != BENCH) playVanishSound();
        eraseCell(row, column);
        showFrame(row, column, 0, 32 * phase);
    } else {
        showFrame(row, column, 16 * shown, 32 * phase);
    }
    if (phase <= 0) {
        phase = phaseRest;
        if (shown < 2) {
            shown = cellEmpty;
            value = cellEmpty;
        }
    }
}

void restStep(int32_t row, int32_t column) {
    if (flashValue == cellEmpty || playField.shown[row][column] != flashValue) return;
    if (flashTick == 5) {
        showFrame(row, column, 16 * flashValue, 0);
    } else {
        showFrame(row, column, 16 * flashValue + 80, 32 * flashTick);
    }
}

} // namespace

void animateBlocks(GameMode mode) {
    if (flashTick == 0) {
        flashValue = nextRandom() % 10 + 2;
        if (flashValue > cellStrongest) flashValue = cellEmpty;
    }
    for (int32_t row = 3; row <= 26; ++row) {
        for (int32_t column = 3; column <= 12; ++column) {
            const int32_t shown = playField.shown[row][column];
            const int32_t value = playField.value[row][column];
            const int32_t phase = playField.phase[row][column];
            if (shown < value) {
                growStep(row, column);
            } else if (shown > value || phase < phaseRest) {
                shrinkStep(row, column, mode);
            } else {
                restStep(row, column);
            }
        }
    }
    flashTick = (flashTick + 1) % 6;
}
