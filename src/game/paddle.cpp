#include "game/paddle.h"

#include "gfx/blit.h"
#include "gfx/surfaces.h"
#include "input/input.h"

#include <algorithm>

int32_t mouseControl = 1;

namespace {

constexpr BlitRect kPaddleImage{48, 0, 16, 64};
constexpr int32_t kFriction = 30;
constexpr int32_t kPush = 50;
constexpr int32_t kPushLimit = 200;

} // namespace

int32_t initPaddle(Pad& paddle, int32_t x) {
    paddle.x = x;
    paddle.velocity = 0;
    initSprite(paddle.sprite, keyed, spriteSheet, &kPaddleImage, backBuffer, 1.0f);
    paddle.sprite.restoreSource = &fieldLayer;
    return 1;
}

void movePaddle(Pad& paddle) {
    if (mouseControl == 1) {
        // The paddle's left edge sits 48 pixels left of the cursor. The cursor is not clamped, so
        // the product is widened; any value beyond 32 bits ends at a clamp below all the same.
        const int64_t wanted = int64_t{readCursorX()} * 10 - 640;
        paddle.x = static_cast<int32_t>(std::clamp<int64_t>(wanted, INT32_MIN, INT32_MAX));
    } else {
        if (paddle.velocity > 0) {
            paddle.velocity -= kFriction;
            if (paddle.velocity < 0) paddle.velocity = 0;
        } else if (paddle.velocity < 0) {
            paddle.velocity += kFriction;
            if (paddle.velocity > 0) paddle.velocity = 0;
        }
        if (readDirection(0) > 0 && paddle.velocity < kPushLimit) paddle.velocity += kPush;
        if (readDirection(0) < 0 && paddle.velocity > -kPushLimit) paddle.velocity -= kPush;
        paddle.x += paddle.velocity;
    }
    if (paddle.x < kPaddleLeftmost) {
        paddle.x = kPaddleLeftmost;
        paddle.velocity = 0;
    } else if (paddle.x > kPaddleRightmost) {
        paddle.x = kPaddleRightmost;
        paddle.velocity = 0;
    }
    paddle.sprite.destRect.left = static_cast<int16_t>(paddle.x / 10 + 16);
    paddle.sprite.destRect.top = 432;
}
