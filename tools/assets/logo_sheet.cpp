// The maker's "QUORIN" wordmark: two 480 x 178 images one above the other (480 x 356 in all).
// The first, at top 0, is a darker twin of the second, copied onto the white canvas; the second, at
// top 178, is the finished version (gradient, bevel, shine and a gold rule) that the game blends
// over the first from the left. Both share one silhouette, so blending never tints the white
// around the letters.
#include "draw.h"
#include "glyphs.h"
#include "palette.h"
#include "sheets.h"

namespace assets {

namespace {

constexpr int columnWidth = 13, rowHeight = 16;
constexpr const char* word = "QUORIN";
constexpr int letters = 6;
constexpr int wordWidth = (letters * (glyphColumns + 1) - 1) * columnWidth;
constexpr int wordLeft = (480 - wordWidth) / 2, wordTop = 26;
constexpr int ruleTop = wordTop + glyphRows * rowHeight + 12, ruleHeight = 6;

bool inLetter(int x, int y) {
    int gx = x - wordLeft, gy = y - wordTop;
    if (gx < 0 || gy < 0 || gy >= glyphRows * rowHeight || gx >= wordWidth) return false;
    int cellColumn = gx / columnWidth, letter = cellColumn / (glyphColumns + 1);
    int column = cellColumn % (glyphColumns + 1);
    return column < glyphColumns && glyphInk(word[letter], column, gy / rowHeight);
}

bool inRule(int x, int y) {
    return y >= ruleTop && y < ruleTop + ruleHeight && x >= wordLeft && x < wordLeft + wordWidth;
}

void drawFinished(Canvas& sheet, int top) {
    Rgb high{86, 206, 250}, middle{70, 112, 230}, low{124, 62, 200};
    int letterHeight = glyphRows * rowHeight;
    for (int y = 0; y < 178; ++y)
        for (int x = 0; x < 480; ++x) {
            if (inRule(x, y)) {
                double t = (y - ruleTop) / double(ruleHeight - 1);
                sheet.set(x, top + y, mix(palette::goldTop, palette::goldBottom, t));
                continue;
            }
            if (!inLetter(x, y)) continue;
            double t = (y - wordTop) / double(letterHeight - 1);
            Rgb c = t < 0.5 ? mix(high, middle, t * 2) : mix(middle, low, t * 2 - 1);
            // A diagonal shine across every letter.
            int band = (x + (y - wordTop) / 2) % 90;
            if (band >= 30 && band < 36) c = lighten(c, 0.55);
            if (band >= 38 && band < 40) c = lighten(c, 0.35);
            // Bevel: light where the letter meets the outside above or to the left, dark below
            // and to the right.
            if (!inLetter(x, y - 2) || !inLetter(x - 2, y))
                c = lighten(c, 0.5);
            else if (!inLetter(x, y + 2) || !inLetter(x + 2, y))
                c = darken(c, 0.45);
            sheet.set(x, top + y, c);
        }
}

// The first image is the finished one in shadow: the sweep brightens it from the left, and the
// part the blending leaves short of full strength still reads as the same logo, not as a
// different, dark one.
void drawShadowed(Canvas& sheet) {
    for (int y = 0; y < 178; ++y)
        for (int x = 0; x < 480; ++x) {
            Rgb c = sheet.get(x, 178 + y);
            if (!(c == keyWhite)) sheet.set(x, y, darken(c, 0.55));
        }
}

} // namespace

Canvas drawLogoSheet() {
    Canvas sheet(480, 356);
    drawFinished(sheet, 178);
    drawShadowed(sheet);
    return sheet;
}

} // namespace assets
