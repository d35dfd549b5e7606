#include "app/inventory.h"
#include "game/play_field.h"
#include "gfx/blit.h"
#include "gfx/sprite.h"
#include "gfx/surfaces.h"

void drawBlocks() {
    drawSprite(clearFieldSprite);
    // Cells in mid-animation get the steady image of what they show; the animation catches up.
    constexpr BlitRect steadyImage{0, 0, 16, 32};
    QUORINSprite sprite;
    resetSprite(sprite);
    initSprite(sprite, copy, blockSheet, &steadyImage, fieldLayer, 1.0f);
    for (int32_t row = 1; row <= 27; ++row) {
        for (int32_t column = 1; column <= 14; ++column) {
            const int32_t shown = playField.shown[row][column];
            if (!isBlock(shown)) continue;
            sprite.srcRect.top = static_cast<int16_t>(16 * shown);
            sprite.destRect = cellRect(row, column);
            drawSprite(sprite);
        }
    }
}
