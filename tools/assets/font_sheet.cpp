// The bitmap font, 16 x 16 cells: letters from "A" at left 0 and the digits with ":" to "@" from
// "0" at left 0, style 0 (light face, dark outline) in the letter row at top 0 and the digit row
// at top 32, style 1 (gold face, brown outline) at tops 16 and 48. The sheet is 26 cells wide
// for the letters and 64 lines high; everything outside the glyphs is the white key.
#include "draw.h"
#include "glyphs.h"
#include "palette.h"
#include "sheets.h"

namespace assets {

namespace {

constexpr int cell = 16;
// A 5 x 7 glyph becomes 10 x 12 pixels: columns are doubled, and the rows get heights 2, 2, 1,
// 2, 1, 2, 2 so that the middle bar keeps its weight.
constexpr int rowTop[8] = {0, 2, 4, 5, 7, 8, 10, 12};
constexpr int faceLeft = 3, faceTop = 2, faceWidth = 10, faceHeight = 12;

struct FontStyle {
    Rgb top, bottom, edge;
};

constexpr FontStyle styles[2] = {
    {palette::fontLight, {188, 190, 212}, palette::ink},
    {palette::goldTop, palette::goldBottom, {92, 46, 12}},
};

bool inked(char c, int x, int y) {
    if (x < 0 || y < 0 || x >= faceWidth || y >= faceHeight) return false;
    int row = 0;
    while (rowTop[row + 1] <= y)
        ++row;
    return smallGlyphInk(c, x / 2, row);
}

void drawGlyph(Canvas& sheet, char c, int left, int top, const FontStyle& style) {
    for (int y = 0; y < faceHeight; ++y)
        for (int x = 0; x < faceWidth; ++x) {
            if (!inked(c, x, y)) continue;
            Rgb face = mix(style.top, style.bottom, y / double(faceHeight - 1));
            // Lit from the top left: the upper and left rims of every stroke catch the light.
            if (!inked(c, x, y - 1) || !inked(c, x - 1, y)) face = lighten(face, 0.35);
            sheet.set(left + faceLeft + x, top + faceTop + y, face);
        }
    outline(sheet, left, top, cell, cell, keyWhite, style.edge);
}

} // namespace

Canvas drawFontSheet() {
    Canvas sheet(26 * cell, 4 * cell);
    for (int style = 0; style < 2; ++style) {
        for (char c = 'A'; c <= 'Z'; ++c)
            drawGlyph(sheet, c, (c - 'A') * cell, style * cell, styles[style]);
        for (char c = '0'; c <= '@'; ++c)
            drawGlyph(sheet, c, (c - '0') * cell, style * cell + 2 * cell, styles[style]);
    }
    return sheet;
}

} // namespace assets
