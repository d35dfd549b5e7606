#pragma once
// Helpers for tests that work on off-screen surfaces without a window.
#include <cstdint>

#include <gtest/gtest.h>

#include "gfx/image.h"
#include "support/pixels.h"
#include "support/program_reset.h"

// An off-screen surface, with a window bound first when the test has none.
inline void makeSurface(QUORINImage& surface, int32_t width, int32_t height) {
    ASSERT_TRUE(bindTestWindow());
    ASSERT_EQ(createSurface(surface, width, height), &surface);
}

// A picture in which every pixel names its own place: blue = column, green = line, red = 7.
inline void paintCoordinates(QUORINImage& surface) {
    for (int32_t y = 0; y < surface.bounds.height; ++y)
        for (int32_t x = 0; x < surface.bounds.width; ++x)
            setPixel(surface, x, y, {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7});
}
