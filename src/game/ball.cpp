#include "game/ball.h"

#include "game/play_field.h"
#include "game/random.h"
#include "game/round_values.h"
#include "gfx/blit.h"
#include "gfx/surfaces.h"
#include "objects/inventory.h"

#include <algorithm>

namespace {

constexpr BlitRect kNormalBallImage{16, 16, 8, 8};
constexpr BlitRect kBigBallImage{0, 48, 16, 16};

constexpr int32_t kSpawnY = 4120;
constexpr int32_t kPaddleLine = 4120;
constexpr int32_t kFloorLine = 4359;
constexpr int32_t kMaxDx = 160;
constexpr int32_t kBigBallSize = 24;
constexpr int32_t kSmallestBigBall = 4;

// Lowers the struck block and scores it; a piercing ball clears it instead of bouncing.
// Returns whether the ball bounces.
bool strikeBlock(Ball& ball, int32_t row, int8_t& cell, int32_t height, int32_t& result,
                 bool& pierced) {
    --cell;
    addScore(50);
    if (row == height) result = kBallStruckHeightRow;
    if (ball.piercing != 0) {
        cell = kCellEmpty;
        pierced = true;
        return false;
    }
    return true;
}

} // namespace

void spawnBall(Ball& ball, int32_t x, GameMode mode) {
    if (mode != BENCH) {
        spawnSlot.stop();
        spawnSlot.playIfIdle(clip140);
    }
    ball.alive = 1;
    ball.x = x;
    ball.y = kSpawnY;
    ball.dy = -(nextRandom() % 41) - 40;
    ball.dx = nextRandom() % 161 - 80;
    ++spawnCount;
    if (spawnCount == 10 && mode < NORMAL) {
        initSprite(ball.sprite, keyed, spriteSheet, &kBigBallImage, backBuffer, 1.0f);
        ball.sprite.destRect.height = kBigBallSize;
        ball.sprite.destRect.width = kBigBallSize;
        ball.hitsLeft = kBigBallSize;
        ball.halfSize = kBigBallSize / 2;
        ball.sprite.restoreSource = &fieldLayer;
        ball.piercing = 1;
        spawnCount = 0;
    } else {
        initSprite(ball.sprite, keyed, spriteSheet, &kNormalBallImage, backBuffer, 1.0f);
        ball.sprite.restoreSource = &fieldLayer;
        ball.halfSize = 4;
        ball.piercing = 0;
    }
}

int32_t stepBall(Ball& ball, int32_t paddleX, int32_t height, GameMode mode) {
    int32_t nx = ball.x + ball.dx;
    int32_t ny = ball.y + ball.dy;
    int32_t result = kBallMoved;
    bool pierced = false;

    if (ny > kPaddleLine && (mode == BENCH || (paddleX - 10 <= nx && nx <= paddleX + 650))) {
        if (mode != BENCH) {
            paddleSlot.stop();
            paddleSlot.playIfIdle(clip141);
            addScore(10);
            ball.dx += (nx - paddleX - 320) / 7;
        }
        ball.dx = std::clamp(ball.dx, -kMaxDx, kMaxDx);
        ball.dy = -ball.dy;
        ny = kPaddleLine;
    } else if (ny > kFloorLine) {
        ball.alive = 0;
        result = kBallLost;
    } else {
        const int32_t sideRow = rowAt(ny);
        int8_t& side = playField.value[sideRow][columnAt(nx + ball.dx)];
        if (side == kCellWall) {
            ball.dx = -ball.dx;
        } else if (side > kCellEmpty) {
            if (strikeBlock(ball, sideRow, side, height, result, pierced)) ball.dx = -ball.dx;
        }

        const int32_t aheadRow = rowAt(ny + ball.dy);
        int8_t& ahead = playField.value[aheadRow][columnAt(nx)];
        if (ahead == kCellWall) {
            // An upward ball comes back from a wall a little faster, up to a speed of about 100.
            if (ball.dy < 0 && ball.dy > -100) ball.dy -= 5;
            ball.dy = -ball.dy;
        } else if (ahead > kCellEmpty) {
            if (strikeBlock(ball, aheadRow, ahead, height, result, pierced)) ball.dy = -ball.dy;
        }

        if (pierced) {
            --ball.hitsLeft;
            if (ball.hitsLeft < kSmallestBigBall) {
                ball.alive = 0;
                result = kBallLost;
            } else {
                ball.sprite.destRect.height = static_cast<int16_t>(ball.hitsLeft);
                ball.sprite.destRect.width = static_cast<int16_t>(ball.hitsLeft);
                ball.halfSize = ball.hitsLeft / 2;
            }
        }
    }

    ball.x = nx;
    ball.y = ny;
    ball.sprite.destRect.top = static_cast<int16_t>(ball.y / 10 + 16 - ball.halfSize);
    ball.sprite.destRect.left = static_cast<int16_t>(ball.x / 10 + 16 - ball.halfSize);
    return result;
}
