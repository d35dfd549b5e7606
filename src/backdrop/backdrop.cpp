#include "backdrop/backdrop.h"

#include "gfx/blit.h"
#include "objects/inventory.h"

namespace {

constexpr int16_t tileSize = 128;
constexpr BlitRect plainTile{0, 0, tileSize, tileSize};
constexpr BlitRect cornerTile{0, tileSize, tileSize, tileSize};

} // namespace

void tileBackdrop(QUORINImage& layer) {
    // Four rows of five tiles cover 640 x 512; the part below the layer falls away.
    for (int16_t top = 0; top < 4 * tileSize; top += tileSize) {
        for (int16_t left = 0; left < 5 * tileSize; left += tileSize)
            blit(backdropSheet, copy, plainTile, layer, BlitRect{top, left, tileSize, tileSize},
                 1.0f);
    }
    blit(backdropSheet, copy, cornerTile, layer, BlitRect{384, 512, tileSize, tileSize}, 1.0f);
    drawSprite(clearFieldSprite);
}
