#pragma once
// Text drawn with the bitmap font of the font sheet.
#include <cstdint>
#include <string_view>

#include "gfx/image.h"

// Draws the text in 16 x 16 cells of fontSheet, keyed, with its first cell's top-left corner at
// (x, y) of target. The text ends at its first line feed, which is not drawn, or at its end.
void drawText(std::string_view text, int32_t x, int32_t y, int32_t style, QUORINImage& target);

// A label with depth: a style-0 shadow one pixel down and right of (x, y), then the style-1 face
// at (x, y), and with upperShadow a last style-0 pass one pixel up and left.
void drawShadowedText(std::string_view text, int32_t x, int32_t y, QUORINImage& target,
                      bool upperShadow = false);
