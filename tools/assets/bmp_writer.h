#pragma once
// A canvas saved as a Windows bitmap file.
#include <string>

#include "canvas.h"

namespace assets {

// Writes the canvas as a 24-bit bottom-up BMP file (BITMAPINFOHEADER, no compression). The
// canvas width must be a multiple of 4 so that rows need no padding. Returns false on an I/O
// failure.
bool writeBmp(const std::string& path, const Canvas& canvas);

} // namespace assets
