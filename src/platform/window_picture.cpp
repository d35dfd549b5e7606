#include "platform/window_picture.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

// Calls copy(pictureOffset, blockOffset, bytes) for each line of the block inside the window.
template <typename Copy>
void forEachVisibleLine(int left, int top, int width, int height, ptrdiff_t lineStep, Copy copy) {
    int from = std::max(0, -left), to = std::min(width, kWindowWidth - left);
    if (from >= to) return;
    for (int y = std::max(0, -top); y < height && top + y < kWindowHeight; ++y)
        copy((size_t(top + y) * kWindowWidth + left + from) * 3, y * lineStep + from * 3,
             size_t(to - from) * 3);
}

} // namespace

void copyIntoPicture(std::vector<uint8_t>& picture, int left, int top, int width, int height,
                     const uint8_t* firstLine, ptrdiff_t lineStep) {
    forEachVisibleLine(left, top, width, height, lineStep,
                       [&](size_t at, ptrdiff_t block, size_t bytes) {
                           std::memcpy(&picture[at], firstLine + block, bytes);
                       });
}

void copyOutOfPicture(const std::vector<uint8_t>& picture, int left, int top, int width, int height,
                      uint8_t* firstLine, ptrdiff_t lineStep) {
    forEachVisibleLine(left, top, width, height, lineStep,
                       [&](size_t at, ptrdiff_t block, size_t bytes) {
                           std::memcpy(firstLine + block, &picture[at], bytes);
                       });
}

uint64_t hashPicture(const std::vector<uint8_t>& picture) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (size_t i = 0; i + 8 <= picture.size(); i += 8) {
        uint64_t word = 0;
        for (int b = 7; b >= 0; --b)
            word = word << 8 | picture[i + b];
        hash = (hash ^ word) * 0x100000001b3ull;
    }
    return hash;
}

} // namespace platform
