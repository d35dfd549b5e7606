// Walls, balls and the paddle, all drawn keyed. Layout of the 64 x 64 sheet (top, left):
// the eight 16 x 16 wall tiles in a 3 x 3 frame, corners at (0, 0), (0, 32), (32, 0), (32, 32),
// top edge (0, 16), left edge (16, 0), right edge (16, 32), bottom edge (32, 16); the normal
// ball, 8 x 8, at (16, 16), inside the frame's hole; the big ball, 16 x 16, at (0, 48); the
// paddle, 64 x 16, at (48, 0). Everything else is the white key.
#include <algorithm>
#include <cmath>

#include "draw.h"
#include "palette.h"
#include "sheets.h"

namespace assets {

namespace {

constexpr int wall = 16;

void drawRivet(Canvas& sheet, int x, int y) {
    sheet.set(x, y, {196, 202, 216});
    sheet.set(x + 1, y, {132, 140, 156});
    sheet.set(x, y + 1, {132, 140, 156});
    sheet.set(x + 1, y + 1, {44, 48, 60});
}

enum class Groove { along, across, bolt };

void drawWallTile(Canvas& sheet, int left, int top, Groove groove) {
    bevelRect(sheet, left, top, wall, wall, palette::steel);
    Rgb dark = darken(palette::steel, 0.4), light = lighten(palette::steel, 0.3);
    if (groove == Groove::along) {
        fillRect(sheet, left + 1, top + 7, wall - 2, 1, dark);
        fillRect(sheet, left + 1, top + 8, wall - 2, 1, light);
    } else if (groove == Groove::across) {
        fillRect(sheet, left + 7, top + 1, 1, wall - 2, dark);
        fillRect(sheet, left + 8, top + 1, 1, wall - 2, light);
    } else {
        fillDisc(sheet, left + 8.5, top + 8.5, 4, dark);
        fillDisc(sheet, left + 8, top + 8, 4, light);
        fillDisc(sheet, left + 8.25, top + 8.25, 3, palette::steel);
    }
    for (int dy : {2, 12})
        for (int dx : {2, 12})
            drawRivet(sheet, left + dx, top + dy);
}

// A sphere of the given diameter lit from the top left: shade by the surface normal.
void drawSphere(Canvas& sheet, int left, int top, int size, Rgb shadow, Rgb lit, Rgb shine) {
    double r = size / 2.0;
    const double lx = -0.5, ly = -0.6, lz = 0.62; // unit light vector, from the top left
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double nx = (x + 0.5 - r) / r, ny = (y + 0.5 - r) / r;
            double d = nx * nx + ny * ny;
            if (d > 1.0) continue;
            double nz = std::sqrt(1.0 - d);
            double diffuse = std::clamp(nx * lx + ny * ly + nz * lz, 0.0, 1.0);
            Rgb c = mix(shadow, lit, 0.15 + 0.85 * diffuse);
            if (diffuse > 0.97) c = shine;
            sheet.set(left + x, top + y, c);
        }
}

void drawBigBall(Canvas& sheet, int left, int top) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            double dx = x + 0.5 - 8, dy = y + 0.5 - 8, d = std::sqrt(dx * dx + dy * dy) / 8;
            if (d > 1.0) continue;
            Rgb c = d < 0.35   ? mix(Rgb{255, 246, 176}, Rgb{255, 206, 90}, d / 0.35)
                    : d < 0.75 ? mix(Rgb{255, 206, 90}, Rgb{244, 120, 30}, (d - 0.35) / 0.4)
                               : mix(Rgb{244, 120, 30}, Rgb{160, 40, 20}, (d - 0.75) / 0.25);
            sheet.set(left + x, top + y, c);
        }
    sheet.set(left + 5, top + 4, palette::nearWhite);
    sheet.set(left + 4, top + 5, {255, 240, 200});
    sheet.set(left + 5, top + 5, {255, 240, 200});
}

bool insidePaddle(int x, int y) {
    if (x < 0 || y < 0 || x >= 64 || y >= 16) return false;
    double cx = x < 8 ? 8 : (x >= 56 ? 56 : x + 0.5);
    double dx = x + 0.5 - cx, dy = y + 0.5 - 8;
    return dx * dx + dy * dy <= 64;
}

// A metal capsule with red end caps and a cyan stripe through the middle.
void drawPaddle(Canvas& sheet, int left, int top) {
    constexpr Rgb ramp[16] = {{40, 44, 58},    {222, 228, 240}, {200, 208, 224}, {176, 184, 202},
                              {160, 168, 188}, {148, 156, 176}, {0, 0, 0},       {0, 0, 0},
                              {0, 0, 0},       {0, 0, 0},       {120, 128, 148}, {108, 116, 136},
                              {96, 102, 122},  {82, 88, 106},   {66, 72, 88},    {40, 44, 58}};
    Rgb stripe = {40, 190, 220};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            if (!insidePaddle(x, y)) continue;
            bool cap = x < 11 || x >= 53;
            Rgb c;
            if (y >= 6 && y <= 9)
                c = cap ? mix(Rgb{210, 50, 70}, Rgb{120, 20, 36}, (y - 6) / 3.0)
                        : (y == 6 ? lighten(stripe, 0.5)
                                  : (y == 9 ? darken(stripe, 0.35) : stripe));
            else
                c = cap ? mix(ramp[y], Rgb{210, 50, 70}, 0.55) : ramp[y];
            bool edge = !insidePaddle(x - 1, y) || !insidePaddle(x + 1, y) ||
                        !insidePaddle(x, y - 1) || !insidePaddle(x, y + 1);
            if (edge) c = {28, 30, 44};
            if (x == 11 || x == 52) c = darken(c, 0.45);
            sheet.set(left + x, top + y, c);
        }
}

} // namespace

Canvas drawSpriteSheet() {
    Canvas sheet(64, 64);
    drawWallTile(sheet, 0, 0, Groove::bolt);
    drawWallTile(sheet, 16, 0, Groove::along);
    drawWallTile(sheet, 32, 0, Groove::bolt);
    drawWallTile(sheet, 0, 16, Groove::across);
    drawWallTile(sheet, 32, 16, Groove::across);
    drawWallTile(sheet, 0, 32, Groove::bolt);
    drawWallTile(sheet, 16, 32, Groove::along);
    drawWallTile(sheet, 32, 32, Groove::bolt);
    drawSphere(sheet, 16, 16, 8, {44, 54, 96}, palette::silverBlue, {240, 246, 254});
    drawBigBall(sheet, 48, 0);
    drawPaddle(sheet, 0, 48);
    return sheet;
}

} // namespace assets
