#pragma once
// A .bmp file read into top-down blue-green-red rows, for comparing pictures in tests.
#include <cstdint>
#include <filesystem>
#include <vector>

struct BmpImage {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels; // top line first, 3 bytes a pixel

    const uint8_t* at(int x, int y) const { return &pixels[(size_t(y) * width + x) * 3]; }
    bool isWhite(int x, int y) const {
        const uint8_t* p = at(x, y);
        return p[0] == 255 && p[1] == 255 && p[2] == 255;
    }
};

// Reads the file with the game's own decoder; an empty image when it cannot be read.
BmpImage readBmpImage(const std::filesystem::path& path);
