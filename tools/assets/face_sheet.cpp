// The maker's face for the start-up logo: four 128 x 200 frames side by side (frame f at left
// 128 f), 512 x 200 in all, copied onto a white canvas, so the background is white. Frame 0 has
// the eyes open, 1 blinks, 2 grins with open mouth and happy eyes, 3 winks with the tongue out.
#include <cmath>
#include <numbers>

#include "draw.h"
#include "palette.h"
#include "sheets.h"

namespace assets {

namespace {

constexpr Rgb skin{252, 208, 164}, skinShade{226, 168, 128}, hair{124, 70, 38};
constexpr Rgb line{48, 28, 34}, shirt{52, 72, 164}, mouthDark{122, 30, 44}, tongue{238, 110, 120};
constexpr Rgb cheek{248, 158, 146}, eyeWhite{250, 250, 250}, pupil{30, 30, 54};

// An elliptic arc from angle a0 to a1 (radians, 0 = right, counter-clockwise as seen on the
// screen), drawn with a square pen.
void drawArc(Canvas& c, double cx, double cy, double rx, double ry, double a0, double a1, int pen,
             Rgb colour) {
    int steps = static_cast<int>((rx + ry) * std::abs(a1 - a0) * 2) + 2;
    for (int i = 0; i <= steps; ++i) {
        double a = a0 + (a1 - a0) * i / steps;
        int x = static_cast<int>(std::floor(cx + rx * std::cos(a)));
        int y = static_cast<int>(std::floor(cy - ry * std::sin(a)));
        fillRect(c, x - pen / 2, y - pen / 2, pen, pen, colour);
    }
}

void drawHeadAndBody(Canvas& c, int left) {
    // Shoulders in a shirt, a neck, ears, then the head itself with its outline.
    fillEllipse(c, left + 64, 228, 62, 70, line);
    fillEllipse(c, left + 64, 228, 60, 68, shirt);
    fillEllipse(c, left + 64, 228, 44, 54, Rgb{62, 86, 184});
    fillRect(c, left + 51, 124, 26, 40, line);
    fillRect(c, left + 53, 124, 22, 42, skinShade);
    fillEllipse(c, left + 64, 164, 13, 7, skinShade);
    // Collar: two gold tabs.
    for (int side : {-1, 1})
        for (int i = 0; i < 9; ++i)
            fillRect(c, left + 64 + side * (13 + i) - (side < 0 ? 2 : 0), 161 + i, 3, 4,
                     palette::goldTop);
    for (int side : {-1, 1}) {
        fillDisc(c, left + 64 + side * 52, 88, 11, line);
        fillDisc(c, left + 64 + side * 52, 88, 9, skinShade);
    }
    fillDisc(c, left + 64, 82, 54, line);
    for (int y = 28; y <= 136; ++y)
        for (int x = 10; x <= 118; ++x) {
            double dx = x + 0.5 - 64, dy = y + 0.5 - 82;
            double r2 = dx * dx + dy * dy;
            if (r2 > 52.0 * 52.0) continue;
            // Lit from the top left: a thin shaded rim at the bottom right.
            double lit = (-dx - dy) / 52.0;
            c.set(left + x, y, r2 > 47.0 * 47.0 && lit < -0.25 ? skinShade : skin);
        }
    // Hair: a rounded cap with a curl on top.
    for (int y = 26; y <= 64; ++y)
        for (int x = 10; x <= 118; ++x) {
            double dx = x + 0.5 - 64, dy = y + 0.5 - 82;
            bool inHead = dx * dx + dy * dy <= 53.0 * 53.0;
            double fringe = 52 + 6 * std::sin((x - 10) / 108.0 * 5 * std::numbers::pi);
            if (inHead && y < fringe) c.set(left + x, y, hair);
        }
    drawArc(c, left + 70, 30, 10, 9, 0.2, 3.6, 3, hair);
    // The curl stands out of the head's outline, so it gets an outline of its own: every clear
    // pixel beside it (the rest of the hair is already ringed by the head's outline).
    Canvas before = c;
    for (int y = 0; y < 64; ++y)
        for (int x = left; x < left + 128; ++x) {
            if (!(before.get(x, y) == keyWhite)) continue;
            bool besideHair = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    besideHair = besideHair || (before.contains(x + dx, y + dy) &&
                                                before.get(x + dx, y + dy) == hair);
            if (besideHair) c.set(x, y, line);
        }
    // The highlight lies on the hair only: drawn on a copy, then kept where the hair is.
    Canvas lit = c;
    drawArc(lit, left + 50, 52, 18, 12, 1.2, 2.4, 2, lighten(hair, 0.35));
    for (int y = 0; y < 64; ++y)
        for (int x = left; x < left + 128; ++x)
            if (c.get(x, y) == hair) c.set(x, y, lit.get(x, y));
}

void drawOpenEye(Canvas& c, double cx, double cy) {
    fillEllipse(c, cx, cy, 11, 13, line);
    fillEllipse(c, cx, cy, 9, 11, eyeWhite);
    fillDisc(c, cx + 2, cy + 2, 5.5, pupil);
    fillRect(c, static_cast<int>(cx), static_cast<int>(cy) - 1, 2, 2, eyeWhite);
}

void drawClosedEye(Canvas& c, double cx, double cy) {
    drawArc(c, cx, cy - 2, 10, 6, std::numbers::pi * 1.05, std::numbers::pi * 1.95, 3, line);
}

void drawHappyEye(Canvas& c, double cx, double cy) {
    drawArc(c, cx, cy + 6, 10, 9, std::numbers::pi * 0.1, std::numbers::pi * 0.9, 3, line);
}

void drawBrows(Canvas& c, int left, double lift) {
    for (int side : {-1, 1})
        drawArc(c, left + 64 + side * 20, 68 - lift, 11, 5, std::numbers::pi * 0.2,
                std::numbers::pi * 0.8, 3, hair);
}

void drawNoseAndCheeks(Canvas& c, int left, double blush) {
    fillEllipse(c, left + 64, 96, 6, 5, skinShade);
    fillRect(c, left + 61, 93, 2, 2, lighten(skin, 0.4));
    for (int side : {-1, 1})
        fillDisc(c, left + 64 + side * 34, 106, blush, cheek);
}

void drawSmile(Canvas& c, int left, double shift) {
    drawArc(c, left + 64 + shift, 100, 18, 14, std::numbers::pi * 1.15, std::numbers::pi * 1.85, 3,
            line);
}

void drawGrin(Canvas& c, int left) {
    for (int y = 106; y <= 126; ++y)
        for (int x = 40; x <= 88; ++x) {
            double dx = (x + 0.5 - 64) / 22, dy = (y + 0.5 - 106) / 19;
            if (dx * dx + dy * dy <= 1.0) c.set(left + x, y, line);
            double ix = (x + 0.5 - 64) / 20, iy = (y + 0.5 - 107) / 17;
            if (ix * ix + iy * iy <= 1.0) c.set(left + x, y, y > 118 ? tongue : mouthDark);
        }
    fillRect(c, left + 46, 107, 36, 3, eyeWhite);
}

void drawTongueOut(Canvas& c, int left) {
    drawSmile(c, left, 4);
    fillEllipse(c, left + 74, 117, 7, 8, line);
    fillEllipse(c, left + 74, 117, 5, 6, tongue);
    fillRect(c, left + 74, 113, 1, 7, darken(tongue, 0.25));
}

void drawFrame(Canvas& c, int frame) {
    int left = 128 * frame;
    drawHeadAndBody(c, left);
    double eyeL = left + 44, eyeR = left + 84, eyeY = 84;
    switch (frame) {
    case 0:
        drawBrows(c, left, 0);
        drawOpenEye(c, eyeL, eyeY);
        drawOpenEye(c, eyeR, eyeY);
        drawNoseAndCheeks(c, left, 6);
        drawSmile(c, left, 0);
        break;
    case 1:
        drawBrows(c, left, -1);
        drawClosedEye(c, eyeL, eyeY + 4);
        drawClosedEye(c, eyeR, eyeY + 4);
        drawNoseAndCheeks(c, left, 6);
        drawSmile(c, left, 0);
        break;
    case 2:
        drawBrows(c, left, 3);
        drawHappyEye(c, eyeL, eyeY);
        drawHappyEye(c, eyeR, eyeY);
        drawNoseAndCheeks(c, left, 8);
        drawGrin(c, left);
        break;
    default:
        drawBrows(c, left, 2);
        drawOpenEye(c, eyeL, eyeY);
        drawHappyEye(c, eyeR, eyeY);
        drawNoseAndCheeks(c, left, 7);
        drawTongueOut(c, left);
        break;
    }
}

} // namespace

Canvas drawFaceSheet() {
    Canvas sheet(4 * 128, 200);
    for (int frame = 0; frame < 4; ++frame)
        drawFrame(sheet, frame);
    return sheet;
}

} // namespace assets
