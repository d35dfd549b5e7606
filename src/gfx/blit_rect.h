#pragma once
// The rectangle every blit is given in: top, left, height, width, signed 16-bit pixels.
#include <cstdint>

// A rectangle in pixels, measured downwards and rightwards from a surface's top-left corner.
// It may reach outside a surface; only the pixels inside are touched.
struct BlitRect {
    int16_t top = 0;
    int16_t left = 0;
    int16_t height = 0;
    int16_t width = 0;
};
