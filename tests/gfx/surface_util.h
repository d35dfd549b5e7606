#pragma once
// Helpers for tests that work on off-screen surfaces without a window.
#include <array>
#include <cstdint>

#include <gtest/gtest.h>

#include "gfx/image.h"

using Bgr = std::array<uint8_t, 3>;

// Off-screen surfaces need a bound screen; tests that have no window say it is bound.
inline void makeSurface(QUORINImage& surface, int32_t width, int32_t height) {
    screenBound = 1;
    ASSERT_EQ(createSurface(surface, width, height), &surface);
}

inline uint8_t* pixelAt(const QUORINImage& surface, int32_t x, int32_t y) {
    return surface.pixels + ((surface.bounds.height - 1 - y) * surface.bounds.width + x) * 3;
}

inline Bgr getPixel(const QUORINImage& surface, int32_t x, int32_t y) {
    const uint8_t* p = pixelAt(surface, x, y);
    return {p[0], p[1], p[2]};
}

inline void setPixel(QUORINImage& surface, int32_t x, int32_t y, Bgr colour) {
    uint8_t* p = pixelAt(surface, x, y);
    p[0] = colour[0];
    p[1] = colour[1];
    p[2] = colour[2];
}

// A picture in which every pixel names its own place: blue = column, green = line, red = 7.
inline void paintCoordinates(QUORINImage& surface) {
    for (int32_t y = 0; y < surface.bounds.height; ++y)
        for (int32_t x = 0; x < surface.bounds.width; ++x)
            setPixel(surface, x, y, {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7});
}
