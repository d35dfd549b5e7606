#pragma once
// Big words built of little bevelled bricks, one brick per inked dot of our 5 x 7 glyphs: the
// game's own blocks spell its title and its game-over band.
#include <string_view>

#include "canvas.h"

namespace assets {

struct BrickStyle {
    int brickWidth = 12, brickHeight = 12;
    Rgb topColour, middleColour, bottomColour; // per glyph row, top to bottom
    Rgb outlineColour;
    int outlineWidth = 2;
    Rgb shadowColour;
    int shadowOffset = 0; // 0: no drop shadow
};

// Width in pixels of the word: five bricks per character and one between characters.
int brickWordWidth(std::string_view text, const BrickStyle& style);
void drawBrickWord(Canvas& canvas, std::string_view text, int left, int top,
                   const BrickStyle& style);

} // namespace assets
