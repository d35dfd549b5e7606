#pragma once
// One pixel colour for every test, and the ways to read and paint it on the 24-bit surfaces
// (bottom-up rows), on the window picture and on pictures taken of it (top line first).
#include "gfx/image.h"
#include "platform/platform.h"
#include "support/headless_probe.h"

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

struct Pixel {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    bool operator==(const Pixel&) const = default;
    bool isWhite() const { return blue == 255 && green == 255 && red == 255; }
};

inline void PrintTo(const Pixel& p, std::ostream* os) {
    *os << "(b" << int(p.blue) << " g" << int(p.green) << " r" << int(p.red) << ")";
}

constexpr Pixel white{255, 255, 255};

// (x, y) counts from the surface's top-left corner, as every rectangle does.
inline uint8_t* pixelAddress(const QUORINImage& surface, int32_t x, int32_t y) {
    const size_t row = static_cast<size_t>(surface.bounds.height - 1 - y);
    return surface.pixels + (row * static_cast<size_t>(surface.bounds.width) + x) * 3;
}

inline Pixel pixelAt(const QUORINImage& surface, int32_t x, int32_t y) {
    const uint8_t* p = pixelAddress(surface, x, y);
    return Pixel{p[0], p[1], p[2]};
}

inline void setPixel(QUORINImage& surface, int32_t x, int32_t y, Pixel colour) {
    uint8_t* p = pixelAddress(surface, x, y);
    p[0] = colour.blue;
    p[1] = colour.green;
    p[2] = colour.red;
}

inline void paintRect(QUORINImage& surface, int32_t top, int32_t left, int32_t height,
                      int32_t width, Pixel colour) {
    for (int32_t y = top; y < top + height; ++y)
        for (int32_t x = left; x < left + width; ++x)
            setPixel(surface, x, y, colour);
}

// A pixel of a picture of the window: 640 x 460, blue-green-red bytes, top line first.
inline Pixel pictureAt(const std::vector<uint8_t>& picture, int32_t x, int32_t y) {
    const uint8_t* p = &picture[(static_cast<size_t>(y) * platform::kWindowWidth + x) * 3];
    return Pixel{p[0], p[1], p[2]};
}

// The window picture of the headless backend as it stands now.
inline Pixel windowPixel(int32_t x, int32_t y) {
    return pictureAt(platform::probe::windowPicture(), x, y);
}
