#include "platform/bmp_file.h"

#include <cstdio>
#include <vector>

namespace platform {

namespace {
void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
} // namespace

bool writeBmp24(const char* path, const uint8_t* topDownPixels, int width, int height) {
    const uint32_t rowBytes = (uint32_t(width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * uint32_t(height);
    std::vector<uint8_t> file;
    file.reserve(54 + imageBytes);
    file.push_back('B');
    file.push_back('M');
    put32(file, 54 + imageBytes);
    put32(file, 0);
    put32(file, 54);
    put32(file, 40);
    put32(file, uint32_t(width));
    put32(file, uint32_t(height)); // positive: bottom-up rows
    put16(file, 1);
    put16(file, 24);
    put32(file, 0); // no compression
    put32(file, imageBytes);
    put32(file, 2835); // 72 dpi
    put32(file, 2835);
    put32(file, 0);
    put32(file, 0);
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = topDownPixels + size_t(y) * width * 3;
        file.insert(file.end(), row, row + size_t(width) * 3);
        file.resize(file.size() + (rowBytes - uint32_t(width) * 3), 0);
    }
    FILE* out = std::fopen(path, "wb");
    if (out == nullptr) return false;
    bool ok = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && ok;
}

} // namespace platform
