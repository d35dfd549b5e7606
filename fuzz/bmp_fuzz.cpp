// Feeds arbitrary bytes to the bitmap decoder that loadBitmap uses: whatever the bytes, it must
// either refuse them or fill exactly the rows it announced, reading nothing outside the bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "gfx/bmp_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly `size` bytes, so the sanitizer sees any read past the end.
    const std::vector<uint8_t> file(data, data + size);
    int32_t width = 0, height = 0;
    if (readBmpSize(file.data(), file.size(), width, height) != 1) return 0;
    if (width <= 0 || height <= 0 || width % 4 != 0 || width > kBmpMaxSide || height > kBmpMaxSide)
        std::abort();
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
    const std::unique_ptr<uint8_t[]> pixels(new uint8_t[bytes]);
    decodeBmp(file.data(), file.size(), pixels.get(), bytes);
    if (decodeBmp(file.data(), file.size(), pixels.get(), bytes - 1) != 0) std::abort();
    return 0;
}
