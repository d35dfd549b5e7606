#pragma once
// The player's bat in the gap of the bottom wall. It follows the mouse directly, or moves with
// the keys and joystick through a small speed model with acceleration and friction.
#include "gfx/sprite.h"

#include <cstdint>

struct Pad {
    Pad() { resetSprite(sprite); }

    int32_t velocity = 0; // tenths of a pixel per frame, positive to the right
    QUORINSprite sprite;
    int32_t x = 0; // left edge, tenths of a pixel; 640 to 3200 after a move
};

// 1 while the paddle follows the mouse; the title screen sets it from how the round was started.
extern int32_t mouseControl;

constexpr int32_t kPaddleLeftmost = 640;
constexpr int32_t kPaddleRightmost = 3200;

// Places the paddle at x, at rest. Returns 1.
int32_t initPaddle(Pad& paddle, int32_t x);
// One frame of movement; the sprite's destRect follows.
void movePaddle(Pad& paddle);
