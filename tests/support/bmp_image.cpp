#include "support/bmp_image.h"

#include "gfx/bmp_decode.h"
#include "support/game_run.h"

#include <cstring>

BmpImage readBmpImage(const std::filesystem::path& path) {
    std::string file = readFile(path);
    const auto* bytes = reinterpret_cast<const uint8_t*>(file.data());
    BmpImage image;
    int32_t width = 0, height = 0;
    if (!readBmpSize(bytes, file.size(), width, height)) return image;
    std::vector<uint8_t> bottomUp(size_t(width) * height * 3);
    if (!decodeBmp(bytes, file.size(), bottomUp.data(), bottomUp.size())) return image;
    image.width = width;
    image.height = height;
    image.pixels.resize(bottomUp.size());
    const size_t row = size_t(width) * 3;
    for (int y = 0; y < height; ++y)
        std::memcpy(&image.pixels[size_t(y) * row], &bottomUp[size_t(height - 1 - y) * row], row);
    return image;
}
