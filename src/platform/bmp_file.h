#pragma once
// Writing the window picture as a 24-bit BMP file, for the headless backend's shots.
#include <cstdint>

namespace platform {

// Writes a 24-bit bottom-up BMP file from top-down blue-green-red rows of 3 × width bytes.
bool writeBmp24(const char* path, const uint8_t* topDownPixels, int width, int height);

} // namespace platform
