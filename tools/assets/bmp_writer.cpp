#include "bmp_writer.h"

#include <cstdio>
#include <vector>

namespace assets {

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

bool writeBmp(const std::string& path, const Canvas& canvas) {
    if (canvas.width % 4 != 0) return false;
    constexpr uint32_t headerSize = 14 + 40;
    auto imageSize = static_cast<uint32_t>(canvas.pixels.size());
    std::vector<uint8_t> header;
    header.push_back('B');
    header.push_back('M');
    put32(header, headerSize + imageSize);
    put32(header, 0);
    put32(header, headerSize);
    put32(header, 40);
    put32(header, static_cast<uint32_t>(canvas.width));
    put32(header, static_cast<uint32_t>(canvas.height)); // positive: bottom-up rows
    put16(header, 1);                                    // planes
    put16(header, 24);                                   // bits per pixel
    put32(header, 0);                                    // BI_RGB
    put32(header, imageSize);
    put32(header, 2835); // 72 dpi, in pixels per metre
    put32(header, 2835);
    put32(header, 0);
    put32(header, 0);

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok =
        std::fwrite(header.data(), 1, header.size(), file) == header.size() &&
        std::fwrite(canvas.pixels.data(), 1, canvas.pixels.size(), file) == canvas.pixels.size();
    return std::fclose(file) == 0 && ok;
}

} // namespace assets
