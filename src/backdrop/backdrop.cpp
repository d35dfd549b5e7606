#include "backdrop/backdrop.h"

#include "gfx/blit.h"
#include "objects/inventory.h"

namespace {

constexpr int16_t kTileSize = 128;
constexpr BlitRect kPlainTile{0, 0, kTileSize, kTileSize};
constexpr BlitRect kCornerTile{0, kTileSize, kTileSize, kTileSize};

} // namespace

void tileBackdrop(QUORINImage& layer) {
    // Four rows of five tiles cover 640 x 512; the part below the layer falls away.
    for (int16_t top = 0; top < 4 * kTileSize; top += kTileSize) {
        for (int16_t left = 0; left < 5 * kTileSize; left += kTileSize)
            blit(backdropSheet, copy, kPlainTile, layer, BlitRect{top, left, kTileSize, kTileSize},
                 1.0f);
    }
    blit(backdropSheet, copy, kCornerTile, layer, BlitRect{384, 512, kTileSize, kTileSize}, 1.0f);
    drawSprite(clearFieldSprite);
}
