#include "icon.h"

#include <algorithm>
#include <cmath>

#include "draw.h"
#include "palette.h"

namespace assets {

namespace {

// The icon is laid out on a 16 x 16 grid; u pixels make one grid step at the size drawn.
struct Grid {
    double u;
    int at(double step) const { return static_cast<int>(std::lround(step * u)); }
};

bool insideRoundedSquare(int x, int y, int size, double radius) {
    const double px = x + 0.5, py = y + 0.5;
    const double cx = std::clamp(px, radius, size - radius);
    const double cy = std::clamp(py, radius, size - radius);
    return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius;
}

void drawBackground(Canvas& icon, int size) {
    const double radius = std::max(2.0, size / 6.0);
    const int rim = std::max(1, size / 32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (!insideRoundedSquare(x, y, size, radius)) continue;
            const bool onRim = !insideRoundedSquare(x - rim, y - rim, size - 2 * rim, radius);
            const Rgb fill = mix(palette::navy, palette::indigo, double(y) / size);
            icon.set(x, y, onRim ? palette::steel : fill);
        }
}

// Three rows of four blocks, hot at the top to cool below, as the field looks when it is full.
void drawBlocks(Canvas& icon, const Grid& grid, int size) {
    const int rowColours[3][4] = {{6, 5, 6, 5}, {5, 4, 4, 3}, {3, 2, 3, 2}};
    const int gap = size >= 24 ? std::max(1, size / 64) : 0;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column) {
            const int left = grid.at(2 + 3 * column), right = grid.at(2 + 3 * (column + 1));
            const int top = grid.at(2.5 + 1.75 * row), bottom = grid.at(2.5 + 1.75 * (row + 1));
            const Rgb colour = palette::blockColour[rowColours[row][column]];
            const int width = right - left - gap, height = bottom - top - gap;
            if (size >= 32)
                bevelRect(icon, left, top, width, height, colour, std::max(1, size / 64));
            else
                fillRect(icon, left, top, width, height, colour);
        }
}

// A silver-blue sphere lit from the top left, as the game's ball.
void drawBall(Canvas& icon, double cx, double cy, double r) {
    const double lx = -0.5, ly = -0.6, lz = 0.62;
    const Rgb shadow = darken(palette::silverBlue, 0.55);
    for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y)
        for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x) {
            const double nx = (x + 0.5 - cx) / r, ny = (y + 0.5 - cy) / r;
            const double d = nx * nx + ny * ny;
            if (d > 1.0) continue;
            const double diffuse =
                std::clamp(nx * lx + ny * ly + std::sqrt(1.0 - d) * lz, 0.0, 1.0);
            icon.set(x, y,
                     diffuse > 0.97 ? palette::nearWhite
                                    : mix(shadow, palette::silverBlue, 0.2 + 0.8 * diffuse));
        }
}

// The paddle: a steel capsule with a gold stripe along it.
void drawPaddle(Canvas& icon, const Grid& grid) {
    const int left = grid.at(4.5), right = grid.at(11.5);
    const int top = grid.at(12.25), bottom = std::max(top + 2, grid.at(13.75));
    const double radius = (bottom - top) / 2.0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double cx = std::clamp(px, left + radius, right - radius);
            const double cy = top + radius;
            if ((px - cx) * (px - cx) + (py - cy) * (py - cy) > radius * radius) continue;
            const double t = (py - top) / (bottom - top);
            Rgb c = t < 0.3 ? lighten(palette::steel, 0.5)
                            : (t > 0.75 ? darken(palette::steel, 0.35) : palette::steel);
            if (std::abs(t - 0.5) < 0.15 && bottom - top >= 4) c = palette::goldTop;
            icon.set(x, y, c);
        }
}

} // namespace

Canvas drawIcon(int size) {
    Canvas icon(size, size);
    const Grid grid{size / 16.0};
    drawBackground(icon, size);
    drawBlocks(icon, grid, size);
    drawBall(icon, 10.5 * grid.u, 10.25 * grid.u, std::max(1.0, 1.25 * grid.u));
    drawPaddle(icon, grid);
    return icon;
}

} // namespace assets
