#include "gfx/text.h"

#include "gfx/blit.h"
#include "gfx/sprite.h"
#include "gfx/surfaces.h"

void drawText(std::string_view text, int32_t x, int32_t y, int32_t style, QUORINImage& target) {
    QUORINSprite glyph;
    resetSprite(glyph);
    const BlitRect cell{0, 0, 16, 16};
    initSprite(glyph, keyed, fontSheet, &cell, target, 1.0f);
    // The pen wraps like the 32-bit value it is; only its low 16 bits reach the rectangle.
    uint32_t pen = static_cast<uint32_t>(x);
    for (const char ch : text) {
        if (ch == '\n') break;
        // Codes are signed bytes: those from 128 up, like those below "0", land left of the sheet.
        const int32_t c = static_cast<signed char>(ch);
        glyph.destRect.top = static_cast<int16_t>(y);
        glyph.destRect.left = static_cast<int16_t>(pen);
        pen += 16;
        if (c == ' ') continue;
        if (c >= 'A') {
            glyph.srcRect.top = static_cast<int16_t>(static_cast<uint32_t>(style) * 16);
            glyph.srcRect.left = static_cast<int16_t>((c - 'A') * 16);
        } else {
            glyph.srcRect.top = static_cast<int16_t>(static_cast<uint32_t>(style) * 16 + 32);
            glyph.srcRect.left = static_cast<int16_t>((c - '0') * 16);
        }
        drawSprite(glyph);
    }
}

void drawShadowedText(std::string_view text, int32_t x, int32_t y, QUORINImage& target,
                      bool upperShadow) {
    auto moved = [](int32_t v, int32_t by) {
        return static_cast<int32_t>(static_cast<uint32_t>(v) + static_cast<uint32_t>(by));
    };
    drawText(text, moved(x, 1), moved(y, 1), 0, target);
    drawText(text, x, y, 1, target);
    if (upperShadow) drawText(text, moved(x, -1), moved(y, -1), 0, target);
}
