#pragma once
// One ball of the swarm, moved in tenths of a pixel: it bounces off the paddle (which steers it),
// the walls and the blocks it wears down, and is lost through the floor. Every tenth ball below
// NORMAL is a big one that clears the blocks it meets and shrinks with each pierce.
#include "game/game_mode.h"
#include "game/round_values.h"
#include "gfx/sprite.h"

#include <cstdint>

struct Ball {
    Ball() { resetSprite(sprite); }

    // The centre, in tenths of a pixel from the frame's inner top-left corner.
    int32_t x = 0;
    int32_t y = 0;
    // Tenths of a pixel per frame; a negative dy is upward.
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t piercing = 0;
    int32_t halfSize = 0; // pixels
    int32_t hitsLeft = 0; // a piercing ball's size in pixels and its pierce budget
    QUORINSprite sprite;
    int32_t alive = 0;
};

// Results of stepBall.
constexpr int32_t kBallMoved = 0;
constexpr int32_t kBallLost = 1;
constexpr int32_t kBallStruckHeightRow = 2;

// Brings a free ball into play just above the paddle at horizontal position x.
void spawnBall(Ball& ball, int32_t x, GameMode mode);
// Moves a live ball one frame against the paddle (its left edge at paddleX) and the grid.
// Returns ballLost when the ball left play, else ballStruckHeightRow when it struck a block in
// row `height`, else ballMoved. Adds to the score and lowers the struck cells.
int32_t stepBall(Ball& ball, int32_t paddleX, int32_t height, GameMode mode);
