#pragma once
// A picture being drawn, held exactly as a 24-bit bottom-up bitmap file stores its pixels, so the
// checksum can be tuned on the very bytes that will be written.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace assets {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb keyWhite{255, 255, 255};

struct Canvas {
    int width = 0;
    int height = 0;
    // Blue, green, red per pixel; buffer row 0 is the bottom line of the picture; no row padding.
    std::vector<uint8_t> pixels;

    Canvas(int w, int h, Rgb fill = keyWhite);
    // Byte offset of pixel (x, y), with y counted down from the top line.
    size_t offset(int x, int y) const {
        return (static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) +
                static_cast<size_t>(x)) *
               3;
    }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // Writes outside the canvas are dropped, so shapes may be drawn partly off the edge.
    void set(int x, int y, Rgb c);
    Rgb get(int x, int y) const;
};

} // namespace assets
