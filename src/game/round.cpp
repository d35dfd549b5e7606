#include "game/round.h"
#include "game/round_frame.h"

#include "backdrop/backdrop.h"
#include "backdrop/fade.h"
#include "game/block_animation.h"
#include "game/play_field.h"
#include "game/round_values.h"
#include "game/score_panel.h"
#include "game/walls.h"
#include "gfx/sprite.h"
#include "gfx/surfaces.h"
#include "input/frame_pacer.h"
#include "objects/inventory.h"
#include "objects/program_data.h"
#include "platform/platform.h"

namespace {

constexpr int32_t kPaddleStart = 2000;
constexpr uint32_t kOpeningWaitFrames = 10;

} // namespace

void setUpRound(Round& round, GameMode mode, Ball* balls, Pad& paddle, RoundOpening opening) {
    round = Round{};
    round.balls = balls;
    round.paddle = &paddle;
    round.slotCount = mode == BENCH ? kBallSlots : kPlayBallSlots;

    tileBackdrop(bgLayer);
    drawPanelLabels(mode);
    round.mode = mode == ULTRA ? HYPER : mode;
    round.rateFactor = mode == ULTRA || mode == BENCH ? 0 : 2;

    resetRoundValues();
    fillStage(round.mode, round.rateFactor);
    buildWalls(round.mode);
    drawSprite(clearFieldSprite, &backBuffer);
    drawBlocks();
    initPaddle(paddle, kPaddleStart);
    drawSprite(composeFieldSprite);
    if (opening == RoundOpening::fade) fadeInLayer(kFieldLayerIndex);
    waitFrames(kOpeningWaitFrames);
    round.height = findHeight();
    musicSlot.playIfIdle(clip128);
    showLevel(0);
    round.startTime = platform::tickCount();
}

int32_t roundGoesOn(const Round& round) {
    return round.endFrames < kEndFrames && quitRequested.load() == 0 ? 1 : 0;
}

void tearDownRound(Round&) {
    musicSlot.stop();
}

int32_t ballsInPlay(const Round& round) {
    int32_t count = 0;
    for (int32_t slot = 0; slot < round.slotCount; ++slot)
        count += round.balls[slot].alive == 1 ? 1 : 0;
    return count;
}

RoundFigures driveRound(GameMode mode, RoundOpening opening) {
    // The round's own objects, made when it starts and gone when it ends: nothing is allocated
    // while it runs.
    Ball balls[kBallSlots];
    Pad paddle;
    Round round;
    setUpRound(round, mode, balls, paddle, opening);
    while (roundGoesOn(round) == 1)
        playFrame(round);
    RoundFigures figures;
    figures.milliseconds = platform::tickCount() - round.startTime;
    figures.frames = round.frames;
    figures.balls = ballsInPlay(round);
    figures.score = score;
    tearDownRound(round);
    return figures;
}

void playRound(GameMode mode) {
    driveRound(mode, RoundOpening::fade);
}
