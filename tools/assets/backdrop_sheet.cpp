// The backdrop, copied (not keyed) behind everything: the repeated tile at (top 0, left 0,
// 128 x 128) and the corner tile at (top 0, left 128, 128 x 128), which the game draws once at
// the window's bottom-right, where only its top 76 lines show, so the emblem sits up there.
// The sheet is 256 x 128 and holds no white at all.
#include "draw.h"
#include "palette.h"
#include "sheets.h"

namespace assets {

namespace {

constexpr int tile = 128, panel = 32, gridOffset = 16;

// A 4 x 4 ordered dither, so the navy-to-indigo shading stays in a few flat retro colours.
constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

Rgb ditheredShade(int x, int y, double t) {
    constexpr int steps = 4;
    double level = t * (steps - 1);
    int base = static_cast<int>(level);
    if (base >= steps - 1) return palette::indigo;
    double fraction = level - base;
    int chosen = fraction * 16 > bayer[y % 4][x % 4] ? base + 1 : base;
    return mix(palette::navy, palette::indigo, chosen / double(steps - 1));
}

// Recessed 32-pixel panels, lit from the top left: lighter at the top, a bright rim on the top
// and left edges, a dark groove on the bottom and right ones.
void drawPanels(Canvas& sheet, int left) {
    for (int y = 0; y < tile; ++y)
        for (int x = 0; x < tile; ++x) {
            // The blocks' columns start 16 pixels into the window: so do the panels, so that
            // an empty cell never straddles a seam.
            int px = (x + gridOffset) % panel, py = y % panel;
            Rgb c = ditheredShade(x, y, 1.0 - (py + px * 0.25) / (panel * 1.25));
            if (py == panel - 1 || px == panel - 1)
                c = {8, 10, 28};
            else if (py == 0 || px == 0)
                c = {54, 48, 106};
            sheet.set(left + x, y, c);
        }
    // A small rivet where four panels meet.
    for (int y = 0; y < tile; y += panel)
        for (int x = panel - gridOffset; x < tile; x += panel) {
            sheet.set(left + x, y, {84, 80, 140});
            sheet.set(left + x + 1, y, {70, 66, 124});
            sheet.set(left + x, y + 1, {70, 66, 124});
        }
}

// A roundel with a block and a ball: the game's own badge.
void drawEmblem(Canvas& sheet, int cx, int cy) {
    fillDisc(sheet, cx + 1, cy + 1, 27, {6, 6, 18});
    fillDisc(sheet, cx, cy, 27, {70, 74, 96});
    fillDisc(sheet, cx - 0.5, cy - 0.5, 25, {132, 140, 160});
    fillDisc(sheet, cx, cy, 24, palette::steel);
    fillDisc(sheet, cx, cy, 21, {30, 26, 64});
    fillDisc(sheet, cx + 0.5, cy + 0.5, 20, palette::navy);
    bevelRect(sheet, static_cast<int>(cx) - 14, static_cast<int>(cy) + 2, 28, 12,
              palette::blockColour[2]);
    fillRect(sheet, static_cast<int>(cx) - 11, static_cast<int>(cy) + 4, 10, 2,
             lighten(palette::blockColour[2], 0.6));
    fillDisc(sheet, cx + 4, cy - 8, 5, {70, 84, 120});
    fillDisc(sheet, cx + 3.5, cy - 8.5, 4, palette::silverBlue);
    sheet.set(static_cast<int>(cx) + 2, static_cast<int>(cy) - 11, palette::nearWhite);
}

} // namespace

Canvas drawBackdropSheet() {
    Canvas sheet(2 * tile, tile);
    drawPanels(sheet, 0);
    drawPanels(sheet, tile);
    drawEmblem(sheet, tile + 64, 38);
    return sheet;
}

} // namespace assets
