#include "brick_letters.h"

#include "draw.h"
#include "glyphs.h"

namespace assets {

namespace {

Rgb rowColour(const BrickStyle& style, int row) {
    double t = row / double(glyphRows - 1);
    return t < 0.5 ? mix(style.topColour, style.middleColour, t * 2)
                   : mix(style.middleColour, style.bottomColour, t * 2 - 1);
}

void forEachBrick(std::string_view text, const BrickStyle& style, int left, int top, auto&& draw) {
    int step = (glyphColumns + 1) * style.brickWidth;
    for (size_t i = 0; i < text.size(); ++i)
        for (int row = 0; row < glyphRows; ++row)
            for (int column = 0; column < glyphColumns; ++column)
                if (glyphInk(text[i], column, row))
                    draw(left + static_cast<int>(i) * step + column * style.brickWidth,
                         top + row * style.brickHeight, row);
}

} // namespace

int brickWordWidth(std::string_view text, const BrickStyle& style) {
    int count = static_cast<int>(text.size());
    return count == 0 ? 0 : (count * (glyphColumns + 1) - 1) * style.brickWidth;
}

void drawBrickWord(Canvas& canvas, std::string_view text, int left, int top,
                   const BrickStyle& style) {
    int width = brickWordWidth(text, style), height = glyphRows * style.brickHeight;
    int margin = style.outlineWidth + style.shadowOffset + 1;
    // Lay the word down in a scratch canvas first so the outline and the shadow follow the
    // letter shapes and never swallow whatever is already on the sheet.
    Canvas word(width + 2 * margin, height + 2 * margin);
    forEachBrick(text, style, margin, margin, [&](int x, int y, int row) {
        bevelRect(word, x, y, style.brickWidth, style.brickHeight, rowColour(style, row),
                  style.brickWidth >= 10 ? 2 : 1);
    });
    for (int i = 0; i < style.outlineWidth; ++i)
        outline(word, 0, 0, word.width, word.height, keyWhite, style.outlineColour, i == 0);
    if (style.shadowOffset > 0) {
        Canvas shadowed = word;
        for (int y = 0; y < word.height; ++y)
            for (int x = 0; x < word.width; ++x)
                if (word.get(x, y) != keyWhite &&
                    word.get(x + style.shadowOffset, y + style.shadowOffset) == keyWhite)
                    shadowed.set(x + style.shadowOffset, y + style.shadowOffset,
                                 style.shadowColour);
        word = shadowed;
    }
    for (int y = 0; y < word.height; ++y)
        for (int x = 0; x < word.width; ++x)
            if (word.get(x, y) != keyWhite)
                canvas.set(left - margin + x, top - margin + y, word.get(x, y));
}

} // namespace assets
