#pragma once
// The window picture every backend keeps: 640 x 460, blue-green-red bytes, top line first.
#include "platform/platform.h"

#include <vector>

namespace platform {

constexpr size_t kPictureBytes = size_t(kWindowWidth) * kWindowHeight * 3;

// The picture a window shows before the game's first frame: all white.
inline std::vector<uint8_t> blankPicture() {
    return std::vector<uint8_t>(kPictureBytes, 255);
}

// Copies a block into or out of the picture, clipped to the window; the block is given by its
// top-left pixel and the signed byte step to the line below.
void copyIntoPicture(std::vector<uint8_t>& picture, int left, int top, int width, int height,
                     const uint8_t* firstLine, ptrdiff_t lineStep);
// The picture's 64-bit hash, as the headless trace writes it: FNV-1a over little-endian 64-bit
// words (the picture is a whole number of words).
uint64_t hashPicture(const std::vector<uint8_t>& picture);
void copyOutOfPicture(const std::vector<uint8_t>& picture, int left, int top, int width, int height,
                      uint8_t* firstLine, ptrdiff_t lineStep);

} // namespace platform
