#pragma once
// A canvas saved as a PNG file through libpng, for the desktop icons and the README's pictures.
#include <string>

#include "canvas.h"

namespace assets {

// Writes the canvas as an 8-bit RGBA PNG file. With keyed, the white key colour becomes fully
// transparent, as it is when the game draws a keyed picture; otherwise every pixel is opaque.
// Returns false on any failure.
bool writePng(const std::string& path, const Canvas& canvas, bool keyed);

} // namespace assets
