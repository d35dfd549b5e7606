#include "canvas.h"

namespace assets {

Canvas::Canvas(int w, int h, Rgb fill) : width(w), height(h) {
    pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    for (size_t i = 0; i < pixels.size(); i += 3) {
        pixels[i] = fill.b;
        pixels[i + 1] = fill.g;
        pixels[i + 2] = fill.r;
    }
}

void Canvas::set(int x, int y, Rgb c) {
    if (!contains(x, y)) return;
    size_t at = offset(x, y);
    pixels[at] = c.b;
    pixels[at + 1] = c.g;
    pixels[at + 2] = c.r;
}

Rgb Canvas::get(int x, int y) const {
    if (!contains(x, y)) return keyWhite;
    size_t at = offset(x, y);
    return Rgb{pixels[at + 2], pixels[at + 1], pixels[at]};
}

} // namespace assets
