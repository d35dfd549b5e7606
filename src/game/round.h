#pragma once
// One round of play: set-up, a frame loop driven by fixed counters, and tear-down. The frame
// loop ends 16 frames after the round was marked as ending, or before any frame once the
// program is asked to quit.
#include "game/ball.h"
#include "game/game_mode.h"
#include "game/paddle.h"

#include <cstdint>

// Ball slots a round owns; only BENCH uses more than the first 97.
constexpr int32_t kBallSlots = 2000;
constexpr int32_t kPlayBallSlots = 97;
constexpr int32_t kEndFrames = 16;

enum class TuneState : int32_t { calm = 0, danger = 1 };

// The round's variables. The balls and the paddle belong to whoever plays the round (playRound
// keeps them on its stack); the record only points at them.
struct Round {
    Ball* balls = nullptr;
    Pad* paddle = nullptr;
    int32_t slotCount = kPlayBallSlots; // slots in use: 97, or 2000 in BENCH

    GameMode mode = NORMAL; // ULTRA is played as HYPER
    int32_t rateFactor = 2; // 0 in ULTRA and BENCH
    int32_t level = 0;
    int32_t levelCounter = 0;
    int32_t spawnCounter = 9999; // so that the first frame spawns
    int32_t growthCounter = 0;
    int32_t descentCounter = 0;
    int32_t animationCounter = 0;
    int32_t height = 3;
    int32_t fieldChanged = 0;
    int32_t ending = 0;
    int32_t endFrames = 0;
    int32_t lastShownScore = -1;
    TuneState tuneState = TuneState::calm;
    uint32_t startTime = 0;

    int32_t drawnBalls = 0;   // balls drawn by the last frame, which its next erase removes
    int32_t composeWhole = 0; // 1: this frame lays the whole field layer under its sprites
    int32_t freeSlotHint = 0; // no slot below it is free
    int32_t frames = 0;       // frames played, for the benchmark's figures
};

// How the round's picture arrives: cross-faded from the title screen, or at once (benchmark).
enum class RoundOpening { fade, atOnce };

// Lays out the screen and the field for `mode` (1 to 5) and starts the intro tune. `balls` has
// kBallSlots records, all free.
void setUpRound(Round& round, GameMode mode, Ball* balls, Pad& paddle, RoundOpening opening);
// 1 while another frame is to be played.
int32_t roundGoesOn(const Round& round);
// Stops the tune. The last frame stays on the window.
void tearDownRound(Round& round);
// Balls in play among the round's slots.
int32_t ballsInPlay(const Round& round);

// What a whole round did, for the benchmark's line.
struct RoundFigures {
    int32_t frames = 0;
    uint32_t milliseconds = 0; // from the round's start time to the end of its last frame
    int32_t balls = 0;         // in play at the end
    int32_t score = 0;
};

// A whole round, from set-up to tear-down, on balls and a paddle of its own. The high score it
// reaches stays in ScoreTable.
RoundFigures driveRound(GameMode mode, RoundOpening opening);
// The round of the play loop, cross-faded from the title screen.
void playRound(GameMode mode);
