#include "draw.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assets {

namespace {

uint8_t channel(double v) {
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

} // namespace

Rgb mix(Rgb a, Rgb b, double t) {
    return Rgb{channel(a.r + (b.r - a.r) * t), channel(a.g + (b.g - a.g) * t),
               channel(a.b + (b.b - a.b) * t)};
}

Rgb lighten(Rgb c, double t) {
    return opaque(mix(c, Rgb{250, 250, 250}, t));
}

Rgb darken(Rgb c, double t) {
    return mix(c, Rgb{0, 0, 0}, t);
}

Rgb opaque(Rgb c) {
    return c == keyWhite ? Rgb{250, 250, 250} : c;
}

void fillRect(Canvas& canvas, int left, int top, int width, int height, Rgb c) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            canvas.set(x, y, c);
}

void fillDisc(Canvas& canvas, double cx, double cy, double radius, Rgb c) {
    fillEllipse(canvas, cx, cy, radius, radius, c);
}

void fillEllipse(Canvas& canvas, double cx, double cy, double rx, double ry, Rgb c) {
    int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
    int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) canvas.set(x, y, c);
        }
}

void bevelRect(Canvas& canvas, int left, int top, int width, int height, Rgb base, int edge) {
    fillRect(canvas, left, top, width, height, base);
    Rgb light = lighten(base, 0.45), dark = darken(base, 0.45);
    for (int e = 0; e < edge; ++e) {
        fillRect(canvas, left, top + e, width - e, 1, light);
        fillRect(canvas, left + e, top, 1, height - e, light);
        fillRect(canvas, left + e + 1, top + height - 1 - e, width - e - 1, 1, dark);
        fillRect(canvas, left + width - 1 - e, top + e + 1, 1, height - e - 1, dark);
    }
}

void outline(Canvas& canvas, int left, int top, int width, int height, Rgb background, Rgb c,
             bool diagonals) {
    std::vector<char> inked(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            inked[static_cast<size_t>(y * width + x)] =
                canvas.get(left + x, top + y) == background ? 0 : 1;
    auto isInked = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height &&
               inked[static_cast<size_t>(y * width + x)];
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (isInked(x, y)) continue;
            bool near = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if ((diagonals || dx == 0 || dy == 0) && isInked(x + dx, y + dy)) near = true;
            if (near) canvas.set(left + x, top + y, c);
        }
}

} // namespace assets
