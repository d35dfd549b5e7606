#include "screens/game_over.h"

#include "game/block_animation.h"
#include "game/play_field.h"
#include "game/random.h"
#include "gfx/blit.h"
#include "input/frame_pacer.h"
#include "input/input.h"
#include "objects/inventory.h"
#include "objects/program_data.h"

#include <cstdint>

namespace {

constexpr BlitRect kGameOverArt{128, 8, 128, 480};
constexpr int32_t kPassLimit = 200;
constexpr int32_t kRescrambleEvery = 10;

// These waits do not look at quitRequested: a held button keeps the sequence here.
void waitForRelease() {
    do {
        while (readButtons(0) != 0) {
        }
    } while (readMouseButtons() != 0);
}

// Every block cell of rows 3 to lastRow, columns 3 to 12, gets a random value from 2 to
// valueCount + 1, one draw per block cell in row order; empty cells and walls keep theirs.
void scrambleBlocks(int32_t lastRow, int32_t valueCount) {
    for (int32_t row = 3; row <= lastRow; ++row) {
        for (int32_t column = 3; column <= 12; ++column) {
            int8_t& cell = playField.value[row][column];
            if (isBlock(cell)) cell = static_cast<int8_t>(nextRandom() % valueCount + 2);
        }
    }
}

bool buttonHeld() {
    return readButtons(0) != 0 || readMouseButtons() != 0;
}

} // namespace

void runGameOver() {
    QUORINSprite band;
    resetSprite(band);
    initSprite(band, keyed, titleSheet, &kGameOverArt, backBuffer, 1.0f);
    band.restoreSource = &fieldLayer;
    band.destRect.top = 128;
    band.destRect.left = 0;

    waitForRelease();
    scrambleBlocks(26, 3);
    int32_t passes = 0;
    while (!buttonHeld()) {
        const int32_t before = passes;
        passes = passes + 1;
        if (before >= kPassLimit || quitRequested.load() != 0) break;
        if (passes % kRescrambleEvery == 0) scrambleBlocks(27, 5);
        restoreSprite(band);
        animateBlocks(QUIT);
        drawSprite(band);
        drawSprite(presentFieldSprite);
        waitFrames(3);
    }
    waitForRelease();
}
