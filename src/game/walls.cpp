#include "game/walls.h"

#include "game/play_field.h"
#include "gfx/blit.h"
#include "gfx/sprite.h"
#include "gfx/surfaces.h"

namespace {

constexpr BlitRect kTileSize{0, 0, 16, 16};

struct Tile {
    int16_t top;
    int16_t left;
};

// Where the wall tiles lie on spriteSheet.
constexpr Tile kCornerTopLeft{0, 0};
constexpr Tile kEdgeTop{0, 16};
constexpr Tile kCornerTopRight{0, 32};
constexpr Tile kEdgeLeft{16, 0};
constexpr Tile kEdgeRight{16, 32};
constexpr Tile kCornerBottomLeft{32, 0};
constexpr Tile kEdgeBottom{32, 16};
constexpr Tile kCornerBottomRight{32, 32};

void drawTile(QUORINSprite& sprite, Tile tile, int32_t top, int32_t left) {
    sprite.srcRect.top = tile.top;
    sprite.srcRect.left = tile.left;
    sprite.destRect.top = static_cast<int16_t>(top);
    sprite.destRect.left = static_cast<int16_t>(left);
    drawSprite(sprite);
}

void setWall(int32_t row, int32_t column) {
    playField.shown[row][column] = kCellWall;
    playField.value[row][column] = kCellWall;
}

} // namespace

void buildWalls(GameMode mode) {
    QUORINSprite sprite;
    resetSprite(sprite);
    initSprite(sprite, keyed, spriteSheet, &kTileSize, bgLayer, 1.0f);
    for (int32_t k = 1; k <= 26; ++k) {
        drawTile(sprite, kEdgeLeft, 16 * k, 0);
        drawTile(sprite, kEdgeRight, 16 * k, 464);
    }
    // Outside BENCH the bottom wall leaves a gap over the open cells of row 27 for the paddle.
    for (int32_t k = 1; k <= 28; ++k) {
        drawTile(sprite, kEdgeTop, 0, 16 * k);
        if (k <= 4 || k >= 25 || mode == BENCH) drawTile(sprite, kEdgeBottom, 432, 16 * k);
    }
    drawTile(sprite, kCornerTopLeft, 0, 0);
    drawTile(sprite, kCornerTopRight, 0, 464);
    drawTile(sprite, kCornerBottomLeft, 432, 0);
    drawTile(sprite, kCornerBottomRight, 432, 464);

    for (int32_t row = 0; row < kFieldRows; ++row) {
        setWall(row, 0);
        setWall(row, kFieldColumns - 1);
    }
    for (int32_t column = 0; column < kFieldColumns; ++column) {
        setWall(0, column);
        if (column < 3 || column > 12 || mode == BENCH) setWall(27, column);
    }
}
