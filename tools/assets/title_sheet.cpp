// The title and game-over artwork, both drawn keyed over the game: the "VORBLET" title fills
// (top 0, left 0, height 128, width 512) and the "GAME OVER" band (top 128, left 8, height 128,
// width 480). The sheet is 512 x 256; left of and right of the band stays the white key.
#include "brick_letters.h"
#include "draw.h"
#include "palette.h"
#include "sheets.h"

namespace assets {

namespace {

void drawTitle(Canvas& sheet) {
    BrickStyle style;
    style.brickWidth = 12;
    style.brickHeight = 13;
    style.topColour = {255, 226, 96};
    style.middleColour = {245, 140, 40};
    style.bottomColour = {212, 48, 72};
    style.outlineColour = palette::ink;
    style.outlineWidth = 2;
    style.shadowColour = {8, 8, 22};
    style.shadowOffset = 4;
    int width = brickWordWidth("VORBLET", style);
    drawBrickWord(sheet, "VORBLET", (512 - width) / 2, (128 - 7 * style.brickHeight) / 2 - 2,
                  style);
}

void drawGameOverBand(Canvas& sheet) {
    constexpr int left = 8, top = 128, width = 480;
    // A dithered veil (every other pixel dark, the rest the key) darkens the blocks behind the
    // words by half, the way old arcade boards did it, between two crimson rules.
    constexpr int veilTop = top + 18, veilHeight = 92;
    for (int y = veilTop; y < veilTop + veilHeight; ++y)
        for (int x = left; x < left + width; ++x)
            if ((x + y) % 2 == 0) sheet.set(x, y, {10, 10, 26});
    Rgb rule = palette::blockColour[6];
    fillRect(sheet, left, veilTop - 3, width, 1, lighten(rule, 0.3));
    fillRect(sheet, left, veilTop - 2, width, 2, rule);
    fillRect(sheet, left, veilTop + veilHeight, width, 2, rule);
    fillRect(sheet, left, veilTop + veilHeight + 2, width, 1, darken(rule, 0.4));

    BrickStyle style;
    style.brickWidth = 8;
    style.brickHeight = 10;
    style.topColour = {250, 236, 200};
    style.middleColour = {246, 150, 60};
    style.bottomColour = {214, 52, 60};
    style.outlineColour = palette::ink;
    style.outlineWidth = 2;
    style.shadowColour = {4, 4, 12};
    style.shadowOffset = 3;
    int wordWidth = brickWordWidth("GAME OVER", style);
    drawBrickWord(sheet, "GAME OVER", left + (width - wordWidth) / 2,
                  top + (128 - 7 * style.brickHeight) / 2 - 1, style);
}

} // namespace

Canvas drawTitleSheet() {
    Canvas sheet(512, 256);
    drawTitle(sheet);
    drawGameOverBand(sheet);
    return sheet;
}

} // namespace assets
