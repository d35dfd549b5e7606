#include "game/block_animation.h"

#include "game/play_field.h"
#include "game/random.h"
#include "gfx/blit.h"
#include "gfx/sprite.h"
#include "gfx/surfaces.h"
#include "objects/inventory.h"

namespace {

constexpr BlitRect kFrameSize{0, 0, 16, 32};

// The two blits of a cell's animation, set up once per step: the background copy that erases a
// cell and the keyed frame of blockSheet drawn over it, each onto fieldLayer and backBuffer.
struct CellPainter {
    QUORINSprite eraser;
    QUORINSprite frame;
    bool onBackBuffer;

    explicit CellPainter(CellTargets targets)
        : onBackBuffer(targets == CellTargets::fieldAndBackBuffer) {
        resetSprite(eraser);
        resetSprite(frame);
        initSprite(eraser, copy, bgLayer, &kFrameSize, fieldLayer, 1.0f);
        initSprite(frame, keyed, blockSheet, &kFrameSize, fieldLayer, 1.0f);
    }

    void erase(int32_t row, int32_t column) {
        eraser.srcRect = cellRect(row, column);
        eraser.destRect = eraser.srcRect;
        drawSprite(eraser);
        if (onBackBuffer) drawSprite(eraser, &backBuffer);
    }

    void show(int32_t row, int32_t column, int32_t top, int32_t left) {
        frame.srcRect.top = static_cast<int16_t>(top);
        frame.srcRect.left = static_cast<int16_t>(left);
        frame.destRect = cellRect(row, column);
        drawSprite(frame);
        if (onBackBuffer) drawSprite(frame, &backBuffer);
    }
};

void growStep(CellPainter& painter, int32_t row, int32_t column) {
    int8_t& shown = playField.shown[row][column];
    int8_t& phase = playField.phase[row][column];
    if (phase >= kPhaseRest) {
        phase = 1;
    } else if (++phase == kPhaseRest) {
        ++shown;
    }
    if (shown < 2) {
        shown = kCellEmpty;
        painter.erase(row, column);
        painter.show(row, column, 16, 32 * phase);
    } else {
        painter.show(row, column, 16 * shown, 32 * (phase % 5));
    }
}

void shrinkStep(CellPainter& painter, int32_t row, int32_t column, GameMode mode) {
    int8_t& shown = playField.shown[row][column];
    int8_t& value = playField.value[row][column];
    int8_t& phase = playField.phase[row][column];
    // A block whose value has dropped to empty vanishes at once, whatever it showed.
    if (value == kCellEmpty && phase == kPhaseRest) shown = 2;
    if (phase >= kPhaseRest) {
        phase = 4;
        --shown;
    } else {
        --phase;
    }
    if (shown == kCellEmpty) {
        // Only the first frame of a vanishing has phase 4, so each vanishing sounds once.
        if (phase == 4 && mode != BENCH) {
            blockSlot.stop();
            blockSlot.playIfIdle(clip142);
        }
        painter.erase(row, column);
        painter.show(row, column, 0, 32 * phase);
    } else {
        painter.show(row, column, 16 * shown, 32 * phase);
    }
    if (phase <= 0) {
        phase = kPhaseRest;
        if (shown < 2) {
            shown = kCellEmpty;
            value = kCellEmpty;
        }
    }
}

void restStep(CellPainter& painter, int32_t row, int32_t column) {
    if (flashValue == kCellEmpty || playField.shown[row][column] != flashValue) return;
    if (flashTick == 5) {
        painter.show(row, column, 16 * flashValue, 0);
    } else {
        painter.show(row, column, 16 * flashValue + 80, 32 * flashTick);
    }
}

} // namespace

void animateBlocks(GameMode mode, CellTargets targets) {
    if (flashTick == 0) {
        flashValue = nextRandom() % 10 + 2;
        if (flashValue > kCellStrongest) flashValue = kCellEmpty;
    }
    CellPainter painter(targets);
    for (int32_t row = 3; row <= 26; ++row) {
        for (int32_t column = 3; column <= 12; ++column) {
            const int32_t shown = playField.shown[row][column];
            const int32_t value = playField.value[row][column];
            const int32_t phase = playField.phase[row][column];
            if (shown < value) {
                growStep(painter, row, column);
            } else if (shown > value || phase < kPhaseRest) {
                shrinkStep(painter, row, column, mode);
            } else {
                restStep(painter, row, column);
            }
        }
    }
    flashTick = (flashTick + 1) % 6;
}
