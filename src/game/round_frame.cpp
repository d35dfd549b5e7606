#include "game/round_frame.h"

#include <algorithm>

#include "game/block_animation.h"
#include "game/play_field.h"
#include "game/round_tune.h"
#include "game/round_values.h"
#include "game/score_panel.h"
#include "gfx/sprite.h"
#include "input/frame_pacer.h"
#include "input/input.h"
#include "objects/inventory.h"
#include "platform/platform.h"

namespace {

constexpr int32_t kBenchGrowthSteps = 40;
constexpr uint32_t kBenchMs = 20000;
constexpr int32_t kEndHeight = 26;

// From this many balls on (only BENCH gets there) a frame does not erase its balls one by one:
// just before it draws them it lays the whole field layer over the play area, which costs less
// than the balls' own restores (a 480-wide copy runs at the speed of memory, a small blit pays its
// checks) and leaves the same picture. Between frames the play area of backBuffer is the field
// layer with the sprites drawn over it, and nothing reads or draws the play area of backBuffer
// alone between the two points; the grid's animation then needs to draw onto the field only.
constexpr int32_t kWholeEraseBalls = 600;

void eraseSprites(Round& round) {
    round.composeWhole = round.drawnBalls >= kWholeEraseBalls ? 1 : 0;
    if (round.composeWhole == 1) return;
    for (int32_t slot = 0; slot < round.slotCount; ++slot) {
        const Ball& ball = round.balls[slot];
        if (ball.alive == 1) restoreSprite(ball.sprite);
    }
    restoreSprite(round.paddle->sprite);
}

// The sprites of a frame in drawing order: the balls in play after their step, in slot order, as
// moveBalls lists them, then the paddle.
const QUORINSprite* drawList[kBallSlots + 1];
int32_t listedBalls = 0;

void drawSprites(Round& round) {
    if (round.composeWhole == 1) drawSprite(composeFieldSprite);
    round.drawnBalls = listedBalls;
    drawList[listedBalls] = &round.paddle->sprite;
    drawSpriteList(drawList, listedBalls + 1);
}

// Brings the first free slot into play above the middle of the paddle. Returns 0 when every slot
// is in play.
int32_t spawnIntoFreeSlot(Round& round) {
    for (int32_t slot = round.freeSlotHint; slot < round.slotCount; ++slot) {
        if (round.balls[slot].alive != 0) continue;
        spawnBall(round.balls[slot], round.paddle->x + 320, round.mode);
        round.freeSlotHint = slot + 1;
        return 1;
    }
    round.freeSlotHint = round.slotCount;
    return 0;
}

void spawn(Round& round) {
    if (round.mode == BENCH) {
        spawnIntoFreeSlot(round);
        return;
    }
    ++round.spawnCounter;
    // The launch period shortens as the level rises until it reaches the variant's limit.
    const int32_t period = round.mode * (17 * round.rateFactor + 3);
    const int32_t levelPeriod = round.mode * (5 * round.level + 5);
    if (round.spawnCounter > period || round.spawnCounter > levelPeriod) {
        if (spawnIntoFreeSlot(round) == 1) round.spawnCounter = 0;
    }
}

void moveBalls(Round& round) {
    round.fieldChanged = 0;
    listedBalls = 0;
    const int32_t paddleX = round.paddle->x;
    for (int32_t slot = 0; slot < round.slotCount; ++slot) {
        Ball& ball = round.balls[slot];
        if (ball.alive != 1) continue;
        const int32_t result = stepBall(ball, paddleX, round.height, round.mode);
        if (result == kBallStruckHeightRow && round.mode != BENCH) round.fieldChanged = 1;
        if (result == kBallLost) round.freeSlotHint = std::min(round.freeSlotHint, slot);
        if (ball.alive == 1) drawList[listedBalls++] = &ball.sprite;
    }
}

void runGrid(Round& round) {
    if (round.mode == BENCH) {
        round.growthCounter = 0;
        for (int32_t step = 0; step < kBenchGrowthSteps; ++step)
            growBlock(round.height, round.rateFactor);
        return;
    }
    ++round.growthCounter;
    if (round.growthCounter > round.mode * round.rateFactor - round.level / 12) {
        round.growthCounter = 0;
        growBlock(round.height, round.rateFactor);
    }
    ++round.descentCounter;
    if (round.descentCounter > 120 - 3 * (4 - round.mode) * round.level) {
        round.descentCounter = 0;
        descendField();
        round.fieldChanged = 1;
    }
}

void runLevel(Round& round) {
    ++round.levelCounter;
    if (round.levelCounter > 10 * round.level + 100) {
        round.levelCounter = 0;
        ++round.level;
        showLevel(round.level);
    }
}

void updateScore(Round& round) {
    // In ULTRA the score is the number of balls in play, whatever the balls scored.
    if (round.rateFactor == 0 && round.mode != BENCH) score = ballsInPlay(round);
    if (score != round.lastShownScore) {
        round.lastShownScore = score;
        showScore(round.mode, round.rateFactor);
    }
}

} // namespace

void playFrame(Round& round) {
    requestTune(round.tuneState, round.height);
    eraseSprites(round);
    spawn(round);
    moveBalls(round);
    movePaddle(*round.paddle);
    runGrid(round);
    runLevel(round);
    if (round.fieldChanged == 1) {
        round.height = findHeight();
        if (round.height >= kEndHeight) round.ending = 1;
    }
    if (++round.animationCounter == 2) {
        round.animationCounter = 0;
        animateBlocks(round.mode, round.composeWhole == 1 ? CellTargets::fieldOnly
                                                          : CellTargets::fieldAndBackBuffer);
    }
    drawSprites(round);
    updateScore(round);
    drawSprite(presentFieldSprite);
    if (round.mode != BENCH) waitFrames(1);
    if ((readButtons(0) & BUTTON_ESCAPE) != 0) round.ending = 1;
    if (round.ending == 1) ++round.endFrames;
    if (round.mode == BENCH && platform::tickCount() - round.startTime > kBenchMs) round.ending = 1;
    ++round.frames;
}
